#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace kestrun {
namespace {

std::set<std::string> Captures(const std::string& text, const char* pattern) {
    std::set<std::string> found;
    const std::regex expression(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), expression);
         it != std::sregex_iterator(); ++it) {
        found.insert((*it)[1].str());
    }
    return found;
}

// The page the build puts beside the kestrun executable: self-contained, with working inner
// links, and covering what users come looking for.
TEST(HelpPageTest, LiesBesideTheExecutableAndStandsOnItsOwn) {
    std::ifstream file(KESTRUN_HELP_PAGE, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    const std::string page = content.str();
    ASSERT_FALSE(page.empty()) << KESTRUN_HELP_PAGE;

    for (const char* topic :
         {"F1", "F2", "F4", "F8", "Ctrl+O", "Page Up", "Page Down", "Enter", "Escape", "roms/",
          "snap/", "artwork/", "mame.exe", "Bypass", "-d3dfeedback", "Drag and drop",
          "~/.config/Pellworth/kestrun.ini", "Translate options for current MAME"}) {
        EXPECT_NE(page.find(topic), std::string::npos) << topic;
    }
    for (const char* external : {"src=", "<link", "@import", "url("}) {
        EXPECT_EQ(page.find(external), std::string::npos) << external;
    }
    const std::set<std::string> anchors = Captures(page, R"(id="([^"]+)\")");
    const std::set<std::string> targets = Captures(page, R"(href="#([^"]+)\")");
    EXPECT_FALSE(targets.empty());
    for (const std::string& target : targets) {
        EXPECT_TRUE(anchors.contains(target)) << target;
    }
}

}  // namespace
}  // namespace kestrun
