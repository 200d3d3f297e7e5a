#include "platform/qt_profile_store.h"

#include <gtest/gtest.h>

#include <QFile>
#include <cerrno>
#include <cstring>
#include <string>

#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

// QSettings fixes its folders at first use, and caches the files it read: so HOME and XDG
// point into a temporary folder before any test runs, and each test has profiles of its own.
const testing::TempHome home;
const std::string Pellworth = "home/.config/Pellworth/";  // below the temporary home

std::string ProfileFile(const char* application) {
    return home.Folder().Path() + Pellworth + application + ".ini";
}

QByteArray ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Nested batches store once, when the outermost ends; values come back as written, and text
// that is not a number reads as absent. That a killed writer leaves the old or the new file
// whole is Qt's atomic save.
TEST(QtProfileStoreTest, ValuesRoundTripThroughTheFileInOneStorePerBatch) {
    home.Folder().WriteFile(Pellworth + "kestrun.ini",
                            "[Kestrun]\nVideo=full\nMask=\nRes=99999999999\nFx= 2\nRomSet1=a\n");
    const QByteArray before = ReadFile(ProfileFile("kestrun"));
    testing::ScriptedMessageBox messages;
    {
        QtProfileStore store(QStringLiteral("kestrun"), messages);
        for (const char* key : {"Video", "Mask", "Res"}) {
            EXPECT_EQ(store.GetProfileInt(ProfileSection, key, 7), 7) << key;
        }
        EXPECT_EQ(store.GetProfileInt(ProfileSection, "Fx", 7), 2);
        {
            const ProfileWriteBatch outer(store);
            {
                const ProfileWriteBatch inner(store);
                store.WriteProfileInt(ProfileSection, "Low", -2147483647 - 1);
                store.WriteProfileString(ProfileSection, "RomSet0", "pacman -nosound, \"x\"");
                store.RemoveProfileEntry(ProfileSection, "RomSet1");
            }
            EXPECT_EQ(store.GetProfileString(ProfileSection, "RomSet0", ""),
                      "pacman -nosound, \"x\"");
            EXPECT_EQ(ReadFile(ProfileFile("kestrun")), before);
        }
        EXPECT_NE(ReadFile(ProfileFile("kestrun")), before);
    }
    QtProfileStore reopened(QStringLiteral("kestrun"), messages);
    EXPECT_EQ(reopened.GetProfileInt(ProfileSection, "Low", 7), -2147483647 - 1);
    EXPECT_EQ(reopened.GetProfileString(ProfileSection, "RomSet0", ""), "pacman -nosound, \"x\"");
    EXPECT_EQ(reopened.GetProfileString(ProfileSection, "RomSet1", "gone"), "gone");
    EXPECT_TRUE(messages.Shown().empty());
}

// Only the first failure is told, whether single writes or a batch fail.
TEST(QtProfileStoreTest, FirstFailureToStoreIsReportedWithTheFileAndTheReason) {
    home.Folder().MakeFolder(Pellworth + "folder.ini");   // the profile is a folder
    home.Folder().WriteFile(Pellworth + "blocked", "x");  // its folder is a file
    const std::pair<const char*, int> cases[] = {{"folder", EISDIR}, {"blocked/kestrun", ENOTDIR}};
    for (const auto& [application, reason] : cases) {
        SCOPED_TRACE(application);
        const std::string file = ProfileFile(application);
        testing::ScriptedMessageBox messages;
        {
            QtProfileStore store(QString::fromUtf8(application), messages);
            store.WriteProfileInt(ProfileSection, "Shortcut", 1);
            store.WriteProfileInt(ProfileSection, "D3d", 1);
            const ProfileWriteBatch batch(store);
            store.WriteProfileString(ProfileSection, "RomSet", "pacman");
        }
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].caption, "Kestrun");
        EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(messages.Shown()[0].text,
                  "Could not save the settings to " + file + ": " + std::strerror(reason) + ".");
    }
}

}  // namespace
}  // namespace kestrun
