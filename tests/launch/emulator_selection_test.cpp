#include "launch/emulator_selection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "tests/support/scripted_message_box.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

using testing::ScriptedMessageBox;
using testing::TempFolder;

constexpr const char* NotFoundText = "Kestrun and MAME should be installed in the same folder.";

TEST(SelectEmulator, ChoosesByWhatIsInstalledAndTheMame32Option) {
    struct Case {
        std::vector<const char*> files;
        std::vector<const char*> folders;
        std::int32_t mame32;
        const char* expected;
        bool detachKept;
    };
    const Case cases[] = {
        {{"mame.exe"}, {}, 0, "mame.exe", true},
        {{"mame.exe"}, {}, 1, "mame.exe", true},
        {{"mame.exe", "mamepp.exe"}, {}, 0, "mamepp.exe", true},
        {{"mame.exe", "mamepp.exe"}, {}, 1, "mamepp.exe", true},
        {{"mamepp.exe", "mame32.exe"}, {}, 0, "mamepp.exe", true},
        {{"mamepp.exe", "mame32.exe"}, {}, 1, "mame32.exe", false},
        {{"mamepp.exe", "mame32.exe"}, {}, -1, "mame32.exe", false},
        {{"mame32.exe"}, {}, 0, "mame32.exe", false},
        {{"mame.exe", "mame32.exe"}, {}, 0, "mame32.exe", false},
        {{"mame.exe", "mamepp.exe", "mame32.exe"}, {}, 0, "mamepp.exe", true},
        {{"mame.exe"}, {"mamepp.exe", "mame32.exe"}, 1, "mame.exe", true},
        {{}, {"mame.exe"}, 0, nullptr, false},
        {{}, {}, 0, nullptr, false},
    };
    for (const Case& c : cases) {
        TempFolder program;
        for (const char* file : c.files) {
            program.WriteFile(file);
        }
        for (const char* folder : c.folders) {
            program.MakeFolder(folder);
        }
        ScriptedMessageBox messages;
        const auto command =
            SelectEmulator(program.Path(), "\"pacman\" -norc", c.mame32, true, messages);

        const std::string label =
            ::testing::PrintToString(c.files) + " mame32=" + std::to_string(c.mame32);
        if (c.expected == nullptr) {
            EXPECT_FALSE(command.has_value()) << label;
            ASSERT_EQ(messages.Shown().size(), 1u) << label;
            EXPECT_EQ(messages.Shown()[0].text, NotFoundText);
            EXPECT_EQ(messages.Shown()[0].caption, "mame not found");
            EXPECT_EQ(messages.Shown()[0].buttons, MessageButtons::Ok);
            EXPECT_EQ(messages.Shown()[0].icon, MessageIcon::Exclamation);
            continue;
        }
        ASSERT_TRUE(command.has_value()) << label;
        EXPECT_EQ(command->commandLine, std::string(c.expected) + " \"pacman\" -norc") << label;
        EXPECT_EQ(command->detach, c.detachKept) << label;
        EXPECT_TRUE(messages.Shown().empty()) << label;
    }
}

TEST(SelectEmulator, KeepsAClearDetachFlagClear) {
    TempFolder program;
    program.WriteFile("mamepp.exe");
    ScriptedMessageBox messages;
    EXPECT_FALSE(SelectEmulator(program.Path(), "\"pacman\"", 0, false, messages)->detach);
}

TEST(SelectEmulator, SeesFilesAddedAndRemovedBetweenStarts) {
    TempFolder program;
    ScriptedMessageBox messages;
    EXPECT_FALSE(SelectEmulator(program.Path(), "\"pacman\"", 0, false, messages));

    program.WriteFile("mame.exe");
    EXPECT_EQ(SelectEmulator(program.Path(), "\"pacman\"", 0, false, messages)->commandLine,
              "mame.exe \"pacman\"");
    program.WriteFile("mame32.exe");
    EXPECT_EQ(SelectEmulator(program.Path(), "\"pacman\"", 0, false, messages)->commandLine,
              "mame32.exe \"pacman\"");
    std::filesystem::remove(program.Path() + "mame32.exe");
    EXPECT_EQ(SelectEmulator(program.Path(), "\"pacman\"", 0, false, messages)->commandLine,
              "mame.exe \"pacman\"");
    EXPECT_EQ(messages.Shown().size(), 1u);
}

TEST(ConfirmEmulatorInstalled, AsksOnlyWhenNoEmulatorIsThereWithCancelAsDefault) {
    struct Case {
        const char* installed;
        MessageResult answer;
        bool goesOn;
        bool asked;
    };
    const Case cases[] = {
        {"mame.exe", MessageResult::Cancel, true, false},
        {"mamepp.exe", MessageResult::Cancel, true, false},
        {"mame32.exe", MessageResult::Cancel, true, false},
        {nullptr, MessageResult::Cancel, false, true},
        {nullptr, MessageResult::Ok, true, true},
    };
    for (const Case& c : cases) {
        TempFolder program;
        if (c.installed != nullptr) {
            program.WriteFile(c.installed);
        } else {
            program.MakeFolder("mame.exe");
        }
        ScriptedMessageBox messages;
        messages.Answer(c.answer);
        const std::string label = c.installed ? c.installed : "nothing";

        EXPECT_EQ(ConfirmEmulatorInstalled(program.Path(), messages), c.goesOn) << label;
        ASSERT_EQ(messages.Shown().size(), c.asked ? 1u : 0u) << label;
        if (c.asked) {
            const MessageBoxRequest& question = messages.Shown()[0];
            EXPECT_EQ(question.text, std::string(NotFoundText) + " Proceed Anyway?");
            EXPECT_EQ(question.caption, "mame not found");
            EXPECT_EQ(question.buttons, MessageButtons::OkCancel);
            EXPECT_EQ(question.icon, MessageIcon::Exclamation);
            EXPECT_EQ(question.defaultButton, 1);
        }
    }
}

TEST(OffersMame32Choice, OnlyWhenBothMame32AndMameppAreFiles) {
    struct Case {
        std::vector<const char*> files;
        bool offered;
    };
    const Case cases[] = {
        {{"mame.exe"}, false},
        {{"mame.exe", "mame32.exe"}, false},
        {{"mamepp.exe"}, false},
        {{"mamepp.exe", "mame32.exe"}, true},
    };
    for (const Case& c : cases) {
        TempFolder program;
        for (const char* file : c.files) {
            program.WriteFile(file);
        }
        EXPECT_EQ(OffersMame32Choice(program.Path()), c.offered)
            << ::testing::PrintToString(c.files);
    }
}

TEST(EmulatorCaptionName, IsTheExecutableBeforeItsFirstDotInUpperCase) {
    EXPECT_EQ(EmulatorCaptionName("mame.exe \"pacman\" -norc"), "MAME");
    EXPECT_EQ(EmulatorCaptionName("mamepp.exe \"pacman.zip\""), "MAMEPP");
    EXPECT_EQ(EmulatorCaptionName("mame32.exe \"pacman\""), "MAME32");
}

}  // namespace
}  // namespace kestrun
