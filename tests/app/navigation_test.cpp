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

#include "platform/file_system.h"
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
            answer(*fileDialog);
        });
    }
};

TEST_F(NavigationTest, NextAndPreviousStepFromTheTypedGameAndWrapAround) {
    Show();
    TypeGame("galaga -cheat");
    Next();
    EXPECT_EQ(BoxText(), Rom("pacman"));
    Next();
    EXPECT_EQ(BoxText(), Rom("1942"));
    Previous();
    EXPECT_EQ(BoxText(), Rom("pacman"));
    Previous();
    EXPECT_EQ(BoxText(), Rom("galaga"));
}

// An unknown name, or a dropped file from elsewhere (which is not scanned), steps on from the
// last game found in the current list.
TEST_F(NavigationTest, TextOutsideTheListStepsFromTheLastGameFound) {
    Show();
    const std::string elsewhere = folder.WriteFile("other/zaxxon.zip");
    TypeGame("pacman");
    Next();
    EXPECT_EQ(BoxText(), Rom("1942"));
    TypeGame("nosuchgame");
    Next();
    EXPECT_EQ(BoxText(), Rom("galaga"));
    TypeGame(elsewhere);
    Next();
    EXPECT_EQ(BoxText(), Rom("pacman"));
}

// Start-up has made the missing 005 the current game; an empty list has nowhere to step to.
TEST_F(NavigationTest, WithoutRomSetsTheStepsStayOnTheCurrentGame) {
    std::filesystem::remove_all(ProgramFolder() + "roms");
    Show();
    ASSERT_TRUE(dialog->RomSets().RomSetList.empty());
    TypeGame("");
    Next();
    Previous();
    EXPECT_EQ(BoxText(), Rom("005"));
    EXPECT_TRUE(ShowsDefaultPicture());
}

TEST_F(NavigationTest, EachStepShowsItsSnapshotOrTheDefaultPicture) {
    AddSnapshot("pacman", 640, 480);
    AddSnapshot("1942", 224, 256);
    Show();
    TypeGame("galaga");
    Next();
    EXPECT_EQ(Picture().pixmap().size(), QSize(232, 232));
    Next();
    EXPECT_EQ(Picture().pixmap().size(), QSize(224, 256));
    EXPECT_EQ(Picture().size(), QSize(224, 256));
    Next();
    EXPECT_TRUE(ShowsDefaultPicture());
    EXPECT_TRUE(GameBoxHasFocus());
}

TEST_F(NavigationTest, ABrokenSnapshotLeavesThePictureAreaEmpty) {
    folder.WriteFile("snap/pacman.png", "\x89PNG\r\n\x1a\n truncated");
    Show();
    TypeGame("galaga");
    Next();
    EXPECT_TRUE(Picture().pixmap().isNull());
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(NavigationTest, BrowseToAnotherFolderThenNextWalksThatFolder) {
    const std::string first = folder.WriteFile("other/aa.zip", "PK");
    folder.WriteFile("other/bb.zip", "PK");
    Show();
    AnswerFileDialog([first](QFileDialog& fileDialog) {
        fileDialog.selectFile(QString::fromStdString(first));
        QMetaObject::invokeMethod(&fileDialog, "accept");
    });
    dialog->Item<QPushButton>(ids::Browse)->click();
    EXPECT_EQ(BoxText(), ProgramFolder() + "other/aa");
    EXPECT_EQ(dialog->RomSets().RomSetCount(), 2);
    Next();
    EXPECT_EQ(BoxText(), ProgramFolder() + "other/bb");
}

TEST_F(NavigationTest, CancelledBrowseChangesNothingAndFocusesTheBox) {
    Show();
    TypeGame("galaga");
    const RomSetState before = dialog->RomSets();
    dialog->GetDlgItem(ids::Exit)->setFocus();
    AnswerFileDialog([](QFileDialog& fileDialog) { fileDialog.reject(); });
    dialog->FindMenuItem(ids::MenuOpen)->trigger();
    EXPECT_EQ(BoxText(), "galaga");
    EXPECT_EQ(dialog->RomSets().CurrentRomPath, before.CurrentRomPath);
    EXPECT_TRUE(GameBoxHasFocus());
}

TEST_F(NavigationTest, DeleteSnapshotMovesItToTheTrashAfterAsking) {
    AddSnapshot("pacman", 100, 100);
    Show();
    TypeGame("pacman");
    messages.Answer(MessageResult::No);
    dialog->FindMenuItem(ids::MenuDeleteSnapshot)->trigger();
    ASSERT_TRUE(FileExists(ProgramFolder() + "snap/pacman.png"));
    EXPECT_EQ(Picture().pixmap().size(), QSize(100, 100));

    messages.Answer(MessageResult::Yes);
    dialog->Item<QPushButton>(ids::DeleteSnapshot)->click();
    EXPECT_FALSE(FileExists(ProgramFolder() + "snap/pacman.png"));
    EXPECT_TRUE(
        std::filesystem::exists(home.Folder().Path() + "home/.local/share/Trash/files/pacman.png"));
    EXPECT_TRUE(ShowsDefaultPicture());
    EXPECT_EQ(BoxText(), "pacman");
    EXPECT_EQ(messages.Shown().size(), 2u);
}

// Without snap/<name>.png, the newest of MAME's own snap/<name>/NNNN.png is shown and deleted.
TEST_F(NavigationTest, MamesNumberedSnapshotIsShownAndDeleted) {
    AddSnapshot("galaga/0000", 120, 90);
    Show();
    TypeGame("1942");
    Next();
    EXPECT_EQ(Picture().pixmap().size(), QSize(120, 90));

    messages.Answer(MessageResult::Yes);
    dialog->Item<QPushButton>(ids::DeleteSnapshot)->click();
    EXPECT_FALSE(FileExists(ProgramFolder() + "snap/galaga/0000.png"));
    EXPECT_TRUE(ShowsDefaultPicture());
}

TEST_F(NavigationTest, DeletingAMissingSnapshotSaysSo) {
    Show();
    TypeGame("galaga");
    dialog->Item<QPushButton>(ids::DeleteSnapshot)->click();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "snap/galaga.png doesn't exist.");
    EXPECT_EQ(messages.Shown()[0].caption, "Snapshot not found");
    EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Stop);
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
