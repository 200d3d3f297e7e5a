#include "options/qt_advanced_options_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <map>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/support/memory_profile_store.h"
#include "tests/ui/qt_application.h"

namespace kestrun {
namespace {

const int CheckBoxes[] = {ids::NoSkipDisclaimerBox,  ids::NoSkipGameinfoBox, ids::FilterBox,
                          ids::TextureManagementBox, ids::NoRdtscBox,        ids::FeedbackBox};

class AdvancedOptionsDialogTest : public ::testing::Test {
  protected:
    void Store(const std::map<std::string, int>& values) {
        for (const auto& [key, value] : values) {
            profile_.WriteProfileInt(ProfileSection, key, value);
        }
        profile_.ClearLog();
    }
    int Stored(const std::string& key) { return profile_.GetProfileInt(ProfileSection, key, -9); }
    static std::vector<bool> Ticks(const CDialog& dialog) {
        std::vector<bool> ticks;
        for (const int id : CheckBoxes) {
            ticks.push_back(dialog.Item<QCheckBox>(id)->isChecked());
        }
        return ticks;
    }
    static QSlider* Slider(const CDialog& dialog) {
        return dialog.Item<QSlider>(ids::FeedbackSlider);
    }

    testing::MemoryProfileStore profile_;
};

// Confirming untouched defaults still stores all seven keys, which turns texture management
// off for launches (their own default for a missing key is on).
TEST_F(AdvancedOptionsDialogTest, AnEmptyProfileShowsTheDefaultsAndOkStoresThemAll) {
    CAdvancedOptionsDialog dialog(nullptr, profile_);
    dialog.Create();
    EXPECT_EQ(profile_.Reads(),
              (std::vector<std::string>{"NoSkipDislaimer", "Flt", "TextureManagement",
                                        "NoSkipGameinfo", "NoRDTSC", "Feedback", "Slider", "D3d"}));
    EXPECT_EQ(Ticks(dialog), (std::vector<bool>{false, true, true, false, false, false}));
    EXPECT_EQ(Slider(dialog)->value(), 50);
    // No renderer stored is DirectDraw: the Direct3D controls are off.
    EXPECT_FALSE(dialog.GetDlgItem(ids::FilterBox)->isEnabled());
    EXPECT_EQ(ReadAdvancedOptionAtLaunch(profile_, &AdvancedOptions::TextureManagement), 1);

    profile_.ClearLog();
    dialog.OnCommand(IdOk);
    EXPECT_EQ(profile_.Writes(),
              (std::vector<std::string>{"NoSkipDislaimer", "NoSkipGameinfo", "Flt",
                                        "TextureManagement", "NoRDTSC", "Feedback", "Slider"}));
    EXPECT_EQ(ReadAdvancedOptionAtLaunch(profile_, &AdvancedOptions::TextureManagement), 0);
}

// Disabled Direct3D controls still show the stored values, and OK stores them unchanged.
TEST_F(AdvancedOptionsDialogTest, Direct3DControlsAreUsableOnlyWithDirect3DRendering) {
    for (const int d3d : {0, 1, 5}) {
        SCOPED_TRACE(d3d);
        Store({{"D3d", d3d}, {"Flt", 0}, {"TextureManagement", 1}, {"Slider", 30}});
        CAdvancedOptionsDialog dialog(nullptr, profile_);
        dialog.Create();
        for (const int id : CheckBoxes) {
            const bool direct3dOnly =
                id == ids::FilterBox || id == ids::TextureManagementBox || id == ids::FeedbackBox;
            EXPECT_EQ(dialog.GetDlgItem(id)->isEnabled(), !direct3dOnly || d3d != 0) << id;
        }
        // Not tied to "Feedback effect", which is unticked here.
        EXPECT_EQ(Slider(dialog)->isEnabled(), d3d != 0);
        EXPECT_EQ(Ticks(dialog), (std::vector<bool>{false, true, false, true, false, false}));
        EXPECT_EQ(Slider(dialog)->value(), 30);

        dialog.OnCommand(IdOk);
        EXPECT_EQ(Stored("Flt"), 0);
        EXPECT_EQ(Stored("TextureManagement"), 1);
        EXPECT_EQ(Stored("Slider"), 30);
        EXPECT_EQ(Stored("D3d"), d3d);
        EXPECT_EQ(std::count(profile_.Writes().begin(), profile_.Writes().end(), "D3d"), 0);
    }
}

// Only OK stores the changed controls; Escape writes nothing.
TEST_F(AdvancedOptionsDialogTest, OnlyOkStoresWhatTheControlsShow) {
    const struct {
        const char* name;
        void (*dismiss)(CDialog&);
        int result;
    } ways[] = {
        {"Escape", [](CDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, IdCancel},
        {"OK", [](CDialog& d) { d.Item<QPushButton>(IdOk)->click(); }, IdOk},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        Store({{"D3d", 1}});
        CAdvancedOptionsDialog dialog(nullptr, profile_);
        testing::ShowActive(dialog);
        for (const int id : CheckBoxes) {
            dialog.Item<QCheckBox>(id)->click();
        }
        Slider(dialog)->setValue(80);
        way.dismiss(dialog);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), way.result);
        if (way.result == IdCancel) {
            EXPECT_TRUE(profile_.Writes().empty());
            continue;
        }
        const std::map<std::string, int> expected{
            {"NoSkipDislaimer", 1}, {"NoSkipGameinfo", 0}, {"Flt", 0},    {"TextureManagement", 1},
            {"NoRDTSC", 1},         {"Feedback", 1},       {"Slider", 80}};
        for (const auto& [key, value] : expected) {
            EXPECT_EQ(Stored(key), value) << key;
        }
    }
}

}  // namespace
}  // namespace kestrun
