#include "launch/option_translation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

// The option names MAME 0.251 lists that the translated lines use; no short names, no "no"
// forms, as -showusage prints them.
constexpr std::string_view Usage =
    "-readconfig x\n-ctrlrpath x\n-pluginspath x\n-artpath x\n-bgfx_path x\n-snapname x\n"
    "-skip_gameinfo x\n-video x\n-prescale x\n-filter x\n-sound x\n-samples x\n-samplerate x\n"
    "-audio_latency x\n-window x\n-maximize x\n-sleep x\n-gamma x\n-artwork_crop x\n-mouse x\n"
    "-joystick x\n-lightgun x\n-ctrlr x\n-steadykey x\n-cheat x\n-effect x\n-resolution x\n"
    "-switchres x\n";

EmulatorFacts Mame0251() {
    EmulatorFacts facts;
    facts.version = "0.251";
    facts.options = ParseUsage(Usage);
    facts.searchPaths = {{"ctrlrpath", "/usr/share/games/mame/ctrlr"},
                         {"pluginspath", "/usr/share/games/mame/plugins"},
                         {"artpath", "$HOME/mame/artwork;/usr/share/games/mame/artwork"},
                         {"bgfx_path", "/usr/share/games/mame/bgfx"}};
    return facts;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

TEST(TranslateGeneratedOptions, FollowsTheTableForEveryGeneratedOption) {
    const EmulatorFacts facts = Mame0251();
    const testing::TempFolder program;
    struct Case {
        const char* generated;
        const char* translated;
    };
    const Case cases[] = {
        {" -norc",
         "-norc -ctrlrpath ctrlr;/usr/share/games/mame/ctrlr "
         "-pluginspath plugins;/usr/share/games/mame/plugins "
         "-artpath artwork;$HOME/mame/artwork;/usr/share/games/mame/artwork "
         "-bgfx_path /usr/share/games/mame/bgfx -snapname %g"},
        {" -skip_disclaimer -skip_gameinfo", "-skip_gameinfo"},
        {" -d3d -d3dprescale none -d3dfilter 0 -nod3dtexmanage -d3dfeedback 50",
         "-video opengl -prescale 1 -nofilter"},
        {" -nosound -nosamples", "-sound none -nosamples"},
        {" -sr 11025 -noresamplefilter -audio_latency 2", "-sr 11025 -audio_latency 2"},
        {" -window -nomax", "-window -nomax"},
        {" -tb -nosleep -high_priority -gamma 2", "-nosleep -gamma 2"},
        {" -noartwork -artcrop -artres 2 -nobackdrop -nooverlay -nobezel", "-artcrop"},
        {" -mouse -joystick -lightgun -steadykey -cheat -nohws",
         "-mouse -joystick -lightgun -steadykey -cheat"},
        {" -ctrlr HotRod", "-ctrlr hotrod"},
        {" -ctrlr XArcade", "-ctrlr xarcade"},
        {" -r 640x480 -rdtsc", "-r 640x480 -switchres"},
        {" -nordtsc", ""},
        {" -effect sharp", ""},
        {" -effect scan25", "-effect scanlines"},
        {" -effect scan75v", "-effect scanlines"},
        {" -effect rgb3", "-effect aperture1x3rb"},
        {" -effect rgb4", "-effect aperture2x4rb"},
        {" -effect rgb6", "-effect aperture4x6"},
        {" -effect rgb16", "-effect shadow-mask"},
        {" -effect rgbtiny", "-effect aperture1x2rb"},
        {" -d3deffect rgb4v", "-effect slot-mask"},
        // A list without a selection leaves a piece out: no effect, and the next option stays.
        {" -effect rgb -nosleep", "-nosleep"},
        {" -effect  -r 1024x768", "-r 1024x768 -switchres"},
        // An option the table does not know is kept only if this emulator lists it.
        {" -video soft -bogus -gamma 2", "-video soft -gamma 2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Joined(TranslateGeneratedOptions(c.generated, facts, program.Path())),
                  c.translated)
            << c.generated;
    }
}

// A later MAME that drops an option still starts: the option goes, with its value.
TEST(TranslateGeneratedOptions, DropsWhatThisEmulatorDoesNotListAndKeepsAllWhenTheListIsUnknown) {
    const testing::TempFolder program;
    EmulatorFacts facts = Mame0251();
    facts.options = ParseUsage("-readconfig x\n-resolution x\n-ctrlrpath x\n");
    const char* line = " -norc -effect scan50 -r 640x480 -ctrlr HotRod";
    EXPECT_EQ(Joined(TranslateGeneratedOptions(line, facts, program.Path())),
              "-norc -ctrlrpath ctrlr;/usr/share/games/mame/ctrlr -r 640x480");

    facts.options.clear();
    facts.searchPaths.clear();
    EXPECT_EQ(Joined(TranslateGeneratedOptions(line, facts, program.Path())),
              "-norc -ctrlrpath ctrlr -pluginspath plugins -artpath artwork -bgfx_path bgfx "
              "-snapname %g -effect scanlines -r 640x480 -switchres -ctrlr hotrod");
}

// MAME takes one bgfx folder, not a list: the program folder's own wins when it is there.
TEST(TranslateGeneratedOptions, TheOneBgfxFolderIsTheProgramFoldersOwnWhenThereIsOne) {
    const testing::TempFolder program;
    const auto bgfxPath = [&] {
        const auto words = TranslateGeneratedOptions(" -norc", Mame0251(), program.Path());
        return *(std::find(words.begin(), words.end(), "-bgfx_path") + 1);
    };
    EXPECT_EQ(bgfxPath(), "/usr/share/games/mame/bgfx");
    program.MakeFolder("bgfx");
    EXPECT_EQ(bgfxPath(), "bgfx");
}

}  // namespace
}  // namespace kestrun
