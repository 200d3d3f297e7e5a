#include "platform/qt_profile_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

// QSettings fixes its folders at first use, so HOME and XDG point into a temporary folder
// before any test runs.
const testing::TempHome& Home() {
    static const testing::TempHome home;
    return home;
}
[[maybe_unused]] const auto& homeSetUpEarly = Home();

class QtProfileStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { QFile::remove(StoreFile()); }
    static QString StoreFile() {
        return QString::fromStdString(Home().Folder().Path()) +
               "home/.config/Pellworth/kestrun.ini";
    }
};

TEST_F(QtProfileStoreTest, LivesInThePerUserFileNamedAfterTheApplication) {
    QtProfileStore store(QStringLiteral("kestrun"));
    store.WriteProfileInt(ProfileSection, "Video", 0);
    EXPECT_EQ(QFileInfo(store.FileName()).canonicalFilePath(),
              QFileInfo(StoreFile()).canonicalFilePath());
    EXPECT_TRUE(QFile::exists(StoreFile()));
}

TEST_F(QtProfileStoreTest, WholeNumbersRoundTripThroughTheFile) {
    {
        QtProfileStore store(QStringLiteral("kestrun"));
        store.WriteProfileInt(ProfileSection, "Ctrlr", -1);
        store.WriteProfileInt(ProfileSection, "Slider", 2147483647);
        store.WriteProfileInt(ProfileSection, "Low", -2147483647 - 1);
    }
    QtProfileStore reopened(QStringLiteral("kestrun"));
    EXPECT_EQ(reopened.GetProfileInt(ProfileSection, "Ctrlr", 7), -1);
    EXPECT_EQ(reopened.GetProfileInt(ProfileSection, "Slider", 7), 2147483647);
    EXPECT_EQ(reopened.GetProfileInt(ProfileSection, "Low", 7), -2147483647 - 1);
    EXPECT_EQ(reopened.GetProfileInt(ProfileSection, "Absent", 50), 50);
}

TEST_F(QtProfileStoreTest, TextThatIsNotANumberReadsAsAbsent) {
    QFile file(StoreFile());
    ASSERT_TRUE(QFileInfo(StoreFile()).dir().mkpath("."));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Kestrun]\nVideo=full\nMask=\nResolution=99999999999\nEffects= 2\n");
    file.close();

    QtProfileStore store(QStringLiteral("kestrun"));
    EXPECT_EQ(store.GetProfileInt(ProfileSection, "Video", 1), 1);
    EXPECT_EQ(store.GetProfileInt(ProfileSection, "Mask", 0), 0);
    EXPECT_EQ(store.GetProfileInt(ProfileSection, "Resolution", 0), 0);
    EXPECT_EQ(store.GetProfileInt(ProfileSection, "Effects", 0), 2);
}

TEST_F(QtProfileStoreTest, StringsRoundTripAndEntriesCanBeRemoved) {
    QtProfileStore store(QStringLiteral("kestrun"));
    store.WriteProfileString(ProfileSection, "RomSet0", "pacman -nosound, \"x\"");
    store.WriteProfileString(ProfileSection, "RomSet1", "1942");
    store.RemoveProfileEntry(ProfileSection, "RomSet1");

    QtProfileStore reopened(QStringLiteral("kestrun"));
    EXPECT_EQ(reopened.GetProfileString(ProfileSection, "RomSet0", ""), "pacman -nosound, \"x\"");
    EXPECT_EQ(reopened.GetProfileString(ProfileSection, "RomSet1", "gone"), "gone");
}

TEST_F(QtProfileStoreTest, ApplicationsKeepSeparateProfiles) {
    QtProfileStore first(QStringLiteral("kestrun"));
    QtProfileStore renamed(QStringLiteral("kestrun2"));
    first.WriteProfileInt(ProfileSection, "Video", 0);
    EXPECT_EQ(renamed.GetProfileInt(ProfileSection, "Video", 1), 1);
}

}  // namespace
}  // namespace kestrun
