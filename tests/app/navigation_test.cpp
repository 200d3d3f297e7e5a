#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <filesystem>
#include <functional>

#include "res/resource_ids.h"
#include "tests/app/launcher_fixture.h"

namespace kestrun {
namespace {

using testing::LauncherFixture;

class NavigationTest : public LauncherFixture {
  protected:
    void SetUp() override {
        for (const char* game : {"1942", "galaga", "pacman"}) {
            AddRomSet(game);
        }
    }
    void Next() { dialog->Item<QPushButton>(ids::NextGame)->click(); }
    void Previous() { dialog->Item<QPushButton>(ids::PreviousGame)->click(); }
    std::string Rom(const std::string& name) const { return ProgramFolder() + "roms/" + name; }

    // Answers the file dialog that the next Browse opens.
    void AnswerFileDialog(const std::function<void(QFileDialog&)>& answer) {
        QTimer::singleShot(0, [answer] {
            auto* fileDialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(fileDialog, nullptr);
            EXPECT_EQ(fileDialog->windowTitle(), "Select Game");
            EXPECT_EQ(fileDialog->nameFilters(),
                      QStringList({"Compressed ROM sets (*.zip)", "All files (*)"}));
            EXPECT_EQ(fileDialog->findChild<QLineEdit*>("fileNameEdit")->text(), "*.zip");
            answer(*fileDialog);
        });
    }
};

// The step starts from the name as typed, not from a longer one in the history. A snapshot
// that cannot be decoded leaves the picture area empty, without a message.
TEST_F(NavigationTest, EachStepShowsItsSnapshotOrTheDefaultPicture) {
    AddRomSet("zaxxon");
    WriteFile("snap/zaxxon.png", "\x89PNG\r\n\x1a\n truncated");
    AddSnapshot("pacman", 640, 480);
    AddSnapshot("1942", 224, 256);
    profile.WriteProfileString(ProfileSection, "RomSet0", "pacmanf");
    Show();
    TypeGame("pacman");
    Next();
    EXPECT_TRUE(Picture().pixmap().isNull());
    Next();
    EXPECT_EQ(Picture().pixmap().size(), QSize(224, 256));
    EXPECT_EQ(Picture().size(), QSize(224, 256));
    Next();
    EXPECT_TRUE(ShowsDefaultPicture());
    Next();
    EXPECT_EQ(Picture().pixmap().size(), QSize(232, 232));
    Previous();
    EXPECT_TRUE(ShowsDefaultPicture());
    EXPECT_TRUE(GameBoxHasFocus());
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(NavigationTest, BrowseAsksForAGameFileAndShowsTheChosenOne) {
    const std::string first = WriteFile("other/aa.zip");
    Show();
    AnswerFileDialog([first](QFileDialog& fileDialog) {
        fileDialog.selectFile(QString::fromStdString(first));
        QMetaObject::invokeMethod(&fileDialog, "accept");
    });
    dialog->Item<QPushButton>(ids::Browse)->click();
    EXPECT_EQ(BoxText(), ProgramFolder() + "other/aa");
}

TEST_F(NavigationTest, ADropTakesTheFirstRegularFileOnly) {
    Show();
    TypeGame("galaga");
    const std::string rom = ProgramFolder() + "roms/pacman.zip";
    const std::string link = ProgramFolder() + "link-to-pacman";
    std::filesystem::create_symlink(rom, link);

    auto drop = [this](const std::vector<std::string>& names) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& name : names) {
            urls.append(QUrl::fromLocalFile(QString::fromStdString(name)));
        }
        data.setUrls(urls);
        QWidget* edit = dialog->Item<QComboBox>(ids::GameBox)->lineEdit();
        // The drop goes to the widget that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &drop);
    };
    drop({ProgramFolder() + "roms", rom});
    EXPECT_EQ(BoxText(), "galaga");
    drop({link, ProgramFolder() + "roms/1942.zip"});
    EXPECT_EQ(BoxText(), rom);
}

}  // namespace
}  // namespace kestrun
