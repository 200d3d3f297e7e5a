#include "install/shell_delete.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/paths.h"
#include "platform/trash.h"

namespace kestrun {
namespace {

// Flags of the shell's file-operation record that the deletion uses.
constexpr unsigned FofSilent = 0x0004;
constexpr unsigned FofNoConfirmation = 0x0010;
constexpr unsigned FofAllowUndo = 0x0040;
constexpr unsigned FofNoErrorUi = 0x0400;

int RemovePermanently(const std::string& path) {
    std::error_code error;
    std::filesystem::remove_all(path, error);
    return error.value();
}

// The checks the shell makes before it asks anything.
int CheckSource(const std::string& path) {
    if (path.empty()) {
        return ENOENT;
    }
    if (path.size() > MaxPathLength) {
        return ENAMETOOLONG;
    }
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? 0 : errno;
}

}  // namespace

int CShellDelete::DeletePath(std::string_view path, bool permanent) {
    operation_.from.assign(path);
    if (permanent) {
        operation_.flags &= ~FofAllowUndo;
        operation_.flags |= FofNoConfirmation | FofSilent | FofNoErrorUi;
    } else {
        operation_.flags |= FofAllowUndo;
    }
    return RunOperation();
}

int CShellDelete::RunOperation() {
    int result = CheckSource(operation_.from);
    if (result == 0 && (operation_.flags & FofNoConfirmation) == 0 && !ConfirmMoveToTrash()) {
        return ECANCELED;
    }
    if (result == 0) {
        result = (operation_.flags & FofAllowUndo) != 0 ? MoveToTrash(operation_.from)
                                                        : RemovePermanently(operation_.from);
    }
    if (result != 0 && (operation_.flags & FofNoErrorUi) == 0) {
        ShowFailure(result);
    }
    return result;
}

bool CShellDelete::ConfirmMoveToTrash() {
    MessageBoxRequest question;
    question.text = "Are you sure you want to move '" + std::string(BaseNameOf(operation_.from)) +
                    "' to the trash?";
    question.caption = "Confirm File Delete";
    question.buttons = MessageButtons::YesNo;
    question.icon = MessageIcon::Question;
    return messages_.Show(question) == MessageResult::Yes;
}

void CShellDelete::ShowFailure(int error) {
    MessageBoxRequest message;
    message.text = "Cannot delete " + std::string(BaseNameOf(operation_.from)) + ": " +
                   std::strerror(error) + ".";
    message.caption = "Error Deleting File or Folder";
    message.icon = MessageIcon::Stop;
    messages_.Show(message);
}

}  // namespace kestrun
