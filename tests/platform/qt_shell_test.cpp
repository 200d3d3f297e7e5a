#include "platform/qt_shell.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

// Names without a folder (the link text, the help file on its own) open nothing.
TEST(QtShellTest, OpensWebAddressesAndExistingLocalDocumentsOnly) {
    testing::TempFolder folder;
    const std::string document = folder.WriteFile("kestrun.htm", "<html></html>");
    const std::string missing = folder.Path() + "missing.htm";
    const auto local = [](const std::string& path) {
        return QUrl::fromLocalFile(QString::fromStdString(path)).toString();
    };
    const std::pair<std::string, QString> cases[] = {
        {"https://www.mamedev.org/release.html", "https://www.mamedev.org/release.html"},
        {document, local(document)},
        {"file://" + document, local(document)},
        {folder.Path(), local(folder.Path())},
        {missing, ""},
        {"Kestrun homepage", ""},
        {"kestrun.htm", ""},
    };
    for (const auto& [target, url] : cases) {
        EXPECT_EQ(DesktopUrlFor(target).value_or(QUrl()).toString(), url) << target;
    }
    EXPECT_FALSE(QtShell().Open(missing));
}

}  // namespace
}  // namespace kestrun
