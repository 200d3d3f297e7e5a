#pragma once

#include <string>
#include <string_view>

#include "platform/message_box.h"

namespace kestrun {

// The shell's file-operation record: what to delete and how.
struct ShellFileOperation {
    std::string from;
    unsigned flags = 0;
};

// Deletes one file or folder either permanently and silently or into the trash with a
// confirmation. The operation record is kept by the object and reused by every call, so the
// flags of one call stay for the next: after a permanent deletion, a trash deletion on the
// same object asks nothing and reports no error.
class CShellDelete {
  public:
    explicit CShellDelete(MessageBoxService& messages) : messages_(messages) {}

    // Returns 0 on success, ECANCELED when the user declined, else the errno of the failure.
    int DeletePath(std::string_view path, bool permanent);

  private:
    int RunOperation();
    bool ConfirmMoveToTrash();
    void ShowFailure(int error);

    MessageBoxService& messages_;
    ShellFileOperation operation_;
};

}  // namespace kestrun
