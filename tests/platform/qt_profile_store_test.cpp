#include "platform/qt_profile_store.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>

#include "tests/support/scripted_message_box.h"
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

std::string ConfigFolder() {
    return Home().Folder().Path() + "home/.config/";
}

QString ProfileFile(const char* application = "kestrun") {
    return QString::fromStdString(ConfigFolder()) + "Pellworth/" + application + ".ini";
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

class QtProfileStoreTest : public ::testing::Test {
  protected:
    // Also mends what a test broke: a file or a folder in the way.
    void SetUp() override {
        const QString config = QString::fromStdString(ConfigFolder());
        QFile::remove(config + "Pellworth");
        QDir(config + "Pellworth").removeRecursively();
    }

    testing::ScriptedMessageBox messages_;
};

TEST_F(QtProfileStoreTest, ValuesRoundTripThroughTheFileAndEntriesCanBeRemoved) {
    {
        QtProfileStore store(QStringLiteral("kestrun"), messages_);
        store.WriteProfileInt(ProfileSection, "Ctrlr", -1);
        store.WriteProfileInt(ProfileSection, "Slider", 2147483647);
        store.WriteProfileInt(ProfileSection, "Low", -2147483647 - 1);
        store.WriteProfileString(ProfileSection, "RomSet0", "pacman -nosound, \"x\"");
        store.WriteProfileString(ProfileSection, "RomSet1", "1942");
        store.RemoveProfileEntry(ProfileSection, "RomSet1");
    }
    QtProfileStore reopened(QStringLiteral("kestrun"), messages_);
    EXPECT_EQ(reopened.GetProfileInt(ProfileSection, "Ctrlr", 7), -1);
    EXPECT_EQ(reopened.GetProfileInt(ProfileSection, "Slider", 7), 2147483647);
    EXPECT_EQ(reopened.GetProfileInt(ProfileSection, "Low", 7), -2147483647 - 1);
    EXPECT_EQ(reopened.GetProfileInt(ProfileSection, "Absent", 50), 50);
    EXPECT_EQ(reopened.GetProfileString(ProfileSection, "RomSet0", ""), "pacman -nosound, \"x\"");
    EXPECT_EQ(reopened.GetProfileString(ProfileSection, "RomSet1", "gone"), "gone");
}

TEST_F(QtProfileStoreTest, TextThatIsNotANumberReadsAsAbsent) {
    WriteFile(ProfileFile(), "[Kestrun]\nVideo=full\nMask=\nResolution=99999999999\nEffects= 2\n");

    QtProfileStore store(QStringLiteral("kestrun"), messages_);
    EXPECT_EQ(store.GetProfileInt(ProfileSection, "Video", 1), 1);
    EXPECT_EQ(store.GetProfileInt(ProfileSection, "Mask", 0), 0);
    EXPECT_EQ(store.GetProfileInt(ProfileSection, "Resolution", 0), 0);
    EXPECT_EQ(store.GetProfileInt(ProfileSection, "Effects", 0), 2);
}

// Both profiles (in the files named after their applications) start alike; one is written
// value by value, the other in a batch.
TEST_F(QtProfileStoreTest, BatchStoresItsWritesOnlyWhenItEndsAndAsSingleWritesWould) {
    const QByteArray before = "[Kestrun]\nVideo=1\nRomSet1=dkong\nShortcut=1\n";
    const auto writeAll = [](ProfileStore& store) {
        store.WriteProfileString(ProfileSection, "RomSet0", "pacman");
        store.RemoveProfileEntry(ProfileSection, "RomSet1");
        store.WriteProfileString(ProfileSection, "RomSet", "galaga");
        for (const char* key : {"Input", "Steadykey", "Mute", "Video", "Ctrlr"}) {
            store.WriteProfileInt(ProfileSection, key, -1);
        }
    };
    WriteFile(ProfileFile("single"), before);
    WriteFile(ProfileFile("batched"), before);
    {
        QtProfileStore single(QStringLiteral("single"), messages_);
        writeAll(single);
    }

    QtProfileStore batched(QStringLiteral("batched"), messages_);
    {
        const ProfileWriteBatch outer(batched);
        {
            const ProfileWriteBatch inner(batched);
            writeAll(batched);
        }
        EXPECT_EQ(batched.GetProfileString(ProfileSection, "RomSet", ""), "galaga");
        EXPECT_EQ(ReadFile(ProfileFile("batched")), before);
    }
    EXPECT_EQ(ReadFile(ProfileFile("batched")), ReadFile(ProfileFile("single")));
    EXPECT_NE(ReadFile(ProfileFile("batched")), before);
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(QtProfileStoreTest, FirstFailureToStoreIsReportedWithTheFileAndTheReason) {
    const QString config = QString::fromStdString(ConfigFolder());
    const struct {
        const char* name;
        std::function<void()> breakIt;
        int reason;
    } cases[] = {
        {"profile is a folder", [] { QDir().mkpath(ProfileFile()); }, EISDIR},
        {"profile folder is a file", [&] { WriteFile(config + "Pellworth", "x"); }, ENOTDIR},
    };
    for (const auto& broken : cases) {
        SCOPED_TRACE(broken.name);
        testing::ScriptedMessageBox messages;
        {
            broken.breakIt();
            QtProfileStore store(QStringLiteral("kestrun"), messages);
            store.WriteProfileInt(ProfileSection, "Shortcut", 1);
            store.WriteProfileInt(ProfileSection, "D3d", 1);
            const ProfileWriteBatch batch(store);
            store.WriteProfileString(ProfileSection, "RomSet", "pacman");
        }
        SetUp();
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].text, "Could not save the settings to " +
                                                ProfileFile().toStdString() + ": " +
                                                std::strerror(broken.reason) + ".");
        EXPECT_EQ(messages.Shown()[0].caption, "Kestrun");
        EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Exclamation);
    }
}

// Writers killed at random points of their work, each after the one before it was killed,
// leave the file whole: every key of one generation. The profile has a name of its own, as
// QSettings caches the files other tests used.
TEST_F(QtProfileStoreTest, KilledWriterLeavesTheOldOrTheNewFileWhole) {
    constexpr int Keys = 50;
    for (int attempt = 0; attempt < 10; ++attempt) {
        const QByteArray before = ReadFile(ProfileFile("killed"));
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            testing::ScriptedMessageBox messages;
            QtProfileStore store(QStringLiteral("killed"), messages);
            for (char generation = 'a';; generation = generation == 'z' ? 'a' : generation + 1) {
                const ProfileWriteBatch batch(store);
                for (int key = 0; key < Keys; ++key) {
                    store.WriteProfileString(ProfileSection, "RomSet" + std::to_string(key),
                                             std::string(4000, generation));
                }
            }
        }
        // Once this writer has stored a generation, the kill lands somewhere in a later one.
        for (int wait = 0; wait < 1000 && ReadFile(ProfileFile("killed")) == before; ++wait) {
            ::usleep(10'000);
        }
        ::usleep(static_cast<useconds_t>(attempt * 3000));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);

        const QList<QByteArray> lines = ReadFile(ProfileFile("killed")).split('\n');
        ASSERT_EQ(lines.size(), Keys + 2) << "attempt " << attempt;
        const QByteArray value = lines[1].mid(lines[1].indexOf('=') + 1);
        ASSERT_EQ(value.size(), 4000);
        for (int line = 1; line <= Keys; ++line) {
            ASSERT_TRUE(lines[line].endsWith("=" + value)) << "attempt " << attempt;
        }
    }
}

}  // namespace
}  // namespace kestrun
