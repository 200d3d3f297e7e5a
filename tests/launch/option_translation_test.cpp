#include "launch/option_translation.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

// The option names MAME 0.251 lists that the translated lines use; no short names, no "no"
// forms, as -showusage prints them.
EmulatorFacts Mame0251() {
    std::istringstream names(
        "readconfig ctrlrpath pluginspath artpath bgfx_path snapname skip_gameinfo video prescale "
        "filter sound samples samplerate audio_latency window maximize sleep gamma artwork_crop "
        "mouse joystick lightgun ctrlr steadykey cheat effect resolution switchres");
    std::string usage;
    for (std::string name; names >> name;) {
        usage += "-" + name + " x\n";
    }
    return {.version = "0.251",
            .options = ParseUsage(usage),
            .searchPaths = {{"ctrlrpath", "/usr/share/games/mame/ctrlr"},
                            {"pluginspath", "/usr/share/games/mame/plugins"},
                            {"artpath", "$HOME/mame/artwork;/usr/share/games/mame/artwork"},
                            {"bgfx_path", "/usr/share/games/mame/bgfx"}}};
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
    const std::pair<const char*, const char*> cases[] = {
        {" -norc",
         "-norc -ctrlrpath ctrlr;/usr/share/games/mame/ctrlr "
         "-pluginspath plugins;/usr/share/games/mame/plugins "
         "-artpath artwork;$HOME/mame/artwork;/usr/share/games/mame/artwork "
         "-bgfx_path /usr/share/games/mame/bgfx -snapname %g"},
        {" -skip_disclaimer -skip_gameinfo -window -nomax", "-skip_gameinfo -window -nomax"},
        {" -d3d -d3dprescale none -d3dfilter 0 -nod3dtexmanage -d3dfeedback 50",
         "-video opengl -prescale 1 -nofilter"},
        {" -nosound -nosamples -sr 11025 -noresamplefilter -audio_latency 2",
         "-sound none -nosamples -sr 11025 -audio_latency 2"},
        {" -tb -nosleep -high_priority -gamma 2 -nordtsc", "-nosleep -gamma 2"},
        {" -noartwork -artcrop -artres 2 -nobackdrop -nooverlay -nobezel", "-artcrop"},
        {" -mouse -joystick -lightgun -steadykey -cheat -nohws",
         "-mouse -joystick -lightgun -steadykey -cheat"},
        {" -ctrlr HotRod -effect sharp", "-ctrlr hotrod"},
        {" -ctrlr XArcade -r 640x480 -rdtsc", "-ctrlr xarcade -r 640x480 -switchres"},
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
    for (const auto& [generated, translated] : cases) {
        EXPECT_EQ(Joined(TranslateGeneratedOptions(generated, facts, program.Path())), translated)
            << generated;
    }
    // MAME takes one bgfx folder, not a list: the program folder's own wins when it is there.
    program.MakeFolder("bgfx");
    EXPECT_TRUE(Joined(TranslateGeneratedOptions(" -norc", facts, program.Path()))
                    .ends_with("-bgfx_path bgfx -snapname %g"));
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

}  // namespace
}  // namespace kestrun
