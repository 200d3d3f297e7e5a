#include "launch/background_facts_source.h"
#include "launch/emulator_facts_cache.h"
#include "platform/file_system.h"
#include "tests/app/launcher_fixture.h"

namespace kestrun::testing {
namespace {

// The main window over a program folder whose only emulator is Debian's MAME, linked as
// "mame", with a fresh cache of emulator facts and sound off.
class RealMameTest : public LauncherFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(IsExecutableFile(KESTRUN_REAL_MAME))
            << KESTRUN_REAL_MAME << " is needed; scripts/install-deps.sh installs it";
        std::filesystem::remove(ProgramFolder() + "mame.exe");
        std::filesystem::create_symlink(KESTRUN_REAL_MAME, ProgramFolder() + "mame");
        profile.WriteProfileInt(ProfileSection, "Mute", 1);
        factsSource = &realFacts;
    }
    // The window holds on to the facts source until it goes.
    void TearDown() override { dialog.reset(); }

    BackgroundFactsSource realFacts{FactsCacheFolder()};
};

// Without the translation MAME would refuse the first option it does not know, with exit 6.
// Without a display MAME's video would fail first; -video none leaves pacman's files to be
// missed, and the message names them and the folder.
TEST_F(RealMameTest, PongRunsWithoutAMessageAndPacmanWithoutItsFilesNamesThem) {
    Show();
    for (const char* game : {"pong -video none -seconds_to_run 2", "pacman -video none"}) {
        TypeGame(game);
        QTest::keyClick(dialog.get(), Qt::Key_F2);
    }
    EXPECT_NE(errorOutput.Content().find("Average speed"), std::string::npos)
        << errorOutput.Content();
    ASSERT_EQ(messages.Shown().size(), 1u);
    const MessageBoxRequest& shown = messages.Shown()[0];
    EXPECT_EQ(shown.caption, "MAME Error");
    EXPECT_TRUE(shown.text.starts_with("MAME cannot run pacman: files it needs are missing."))
        << shown.text;
    EXPECT_NE(shown.text.find("pacman.6e"), std::string::npos) << shown.text;
    EXPECT_NE(shown.text.find(ProgramFolder() + "roms/"), std::string::npos) << shown.text;
    EXPECT_NE(shown.details.find("-snapname %g"), std::string::npos) << shown.details;
}

// The names come from MAME's own listing, asked for and loaded once the window is up; a set
// file MAME cannot read counts as missing.
TEST_F(RealMameTest, TheTitleNamesTheGameOnceTheListingIsInAndMarksMissingFiles) {
    WriteFile("roms/pacman.zip");
    profile.WriteProfileString(ProfileSection, "RomSet0", "roms/dkong.zip -cheat");
    environment.gameText = "pong";
    Show();
    EXPECT_EQ(dialog->windowTitle(), "Kestrun");
    QTRY_COMPARE_WITH_TIMEOUT(dialog->windowTitle(), QStringLiteral("Kestrun - Pong (Rev E) [TTL]"),
                              30000);
    auto* box = dialog->Item<QComboBox>(ids::GameBox);
    EXPECT_EQ(box->itemData(0, Qt::ToolTipRole), "dkong - Donkey Kong (US set 1)");

    TypeGame("pacm");
    const QListWidget& rows = dialog->SearchPopup().List();
    ASSERT_TRUE(rows.isVisible());
    EXPECT_EQ(rows.item(0)->text(), "pacman - Pac-Man (Midway)");
    QTest::keyClick(box->lineEdit(), Qt::Key_Down);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->currentText(), "pacman");
    EXPECT_TRUE(messages.Shown().empty());
    QTRY_COMPARE_WITH_TIMEOUT(dialog->windowTitle(),
                              QStringLiteral("Kestrun - Pac-Man (Midway) [files missing]"), 30000);
    EXPECT_TRUE(dialog->GetDlgItem(ids::GameBox)
                    ->toolTip()
                    .startsWith("pacman - Pac-Man (Midway)\nFiles missing"));
}

}  // namespace
}  // namespace kestrun::testing
