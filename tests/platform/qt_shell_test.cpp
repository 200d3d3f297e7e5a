#include "platform/qt_shell.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

class DesktopUrlTest : public ::testing::Test {
  protected:
    testing::TempFolder folder_;
    const std::string document_ = folder_.WriteFile("kestrun.htm", "<html></html>");
    const std::string missing_ = folder_.Path() + "missing.htm";
};

TEST_F(DesktopUrlTest, OpensWebAddressesAndExistingLocalDocumentsOnly) {
    const QString documentUrl = QUrl::fromLocalFile(QString::fromStdString(document_)).toString();
    const QString folderUrl =
        QUrl::fromLocalFile(QString::fromStdString(folder_.Path())).toString();
    const struct {
        std::string target;
        std::optional<QString> url;
    } cases[] = {
        {"https://www.mamedev.org/release.html", "https://www.mamedev.org/release.html"},
        {"mailto:someone@example.org", "mailto:someone@example.org"},
        {document_, documentUrl},
        {folder_.Path(), folderUrl},
        {"file://" + document_, documentUrl},
        {missing_, std::nullopt},
        {"file://" + missing_, std::nullopt},
        // Names without a folder: the link text, and the help file on its own.
        {"Kestrun homepage", std::nullopt},
        {"kestrun.htm", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [target, url] : cases) {
        SCOPED_TRACE(target);
        const std::optional<QUrl> found = DesktopUrlFor(target);
        ASSERT_EQ(found.has_value(), url.has_value());
        if (url) {
            EXPECT_EQ(found->toString(), *url);
        }
    }
}

TEST_F(DesktopUrlTest, AMissingLocalDocumentFailsToOpen) {
    QtShell shell;
    EXPECT_FALSE(shell.Open(missing_));
}

}  // namespace
}  // namespace kestrun
