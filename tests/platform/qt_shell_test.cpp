#include "platform/qt_shell.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

// A name without a folder, like the link text, opens nothing.
TEST(QtShellTest, OpensWebAddressesAndExistingLocalDocumentsOnly) {
    testing::TempFolder folder;
    const std::string document = folder.WriteFile("kestrun.htm", "<html></html>");
    const std::string missing = folder.Path() + "missing.htm";
    const std::pair<std::string, QString> cases[] = {
        {"https://www.mamedev.org/release.html", "https://www.mamedev.org/release.html"},
        {document, QUrl::fromLocalFile(QString::fromStdString(document)).toString()},
        {folder.Path(), QUrl::fromLocalFile(QString::fromStdString(folder.Path())).toString()},
        {missing, ""},
        {"Kestrun homepage", ""},
    };
    for (const auto& [target, url] : cases) {
        EXPECT_EQ(DesktopUrlFor(target).value_or(QUrl()).toString(), url) << target;
    }
    EXPECT_FALSE(QtShell().Open(missing));
}

}  // namespace
}  // namespace kestrun
