#include "options/qt_advanced_options_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "res/resource_ids.h"
#include "tests/support/memory_profile_store.h"
#include "tests/ui/qt_application.h"

namespace kestrun {
namespace {

// The Direct3D controls are usable only with Direct3D rendering, but always show the stored
// values, which OK stores back as shown; Escape writes nothing, and nothing writes the renderer.
TEST(AdvancedOptionsDialogTest, OkStoresWhatTheUsableControlsShow) {
    const struct {
        int id;
        const char* key;
        int stored;
        bool direct3dOnly;
    } boxes[] = {
        {ids::NoSkipDisclaimerBox, "NoSkipDislaimer", 0, false},
        {ids::NoSkipGameinfoBox, "NoSkipGameinfo", 1, false},
        {ids::FilterBox, "Flt", 0, true},
        {ids::TextureManagementBox, "TextureManagement", 1, true},
        {ids::NoRdtscBox, "NoRDTSC", 0, false},
        {ids::FeedbackBox, "Feedback", 0, true},
    };
    for (const auto& [d3d, ok] : {std::pair{0, true}, {1, false}, {5, true}}) {
        SCOPED_TRACE(std::to_string(d3d) + (ok ? " OK" : " Escape"));
        testing::MemoryProfileStore profile;
        profile.WriteProfileInt(ProfileSection, "D3d", d3d);
        profile.WriteProfileInt(ProfileSection, "Slider", 30);
        for (const auto& box : boxes) {
            profile.WriteProfileInt(ProfileSection, box.key, box.stored);
        }
        profile.ClearLog();
        CAdvancedOptionsDialog dialog(nullptr, profile);
        testing::ShowActive(dialog);
        for (const auto& box : boxes) {
            auto* check = dialog.Item<QCheckBox>(box.id);
            EXPECT_EQ(check->isEnabled(), !box.direct3dOnly || d3d != 0) << box.key;
            EXPECT_EQ(check->isChecked(), box.stored == 1) << box.key;
            check->click();
        }
        auto* slider = dialog.Item<QSlider>(ids::FeedbackSlider);
        EXPECT_EQ(slider->value(), 30);
        EXPECT_EQ(slider->isEnabled(), d3d != 0);  // not tied to the unticked feedback box
        if (slider->isEnabled()) {
            slider->setValue(80);
        }
        if (ok) {
            dialog.Item<QPushButton>(IdOk)->click();
        } else {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        }
        EXPECT_EQ(dialog.result(), ok ? IdOk : IdCancel);
        EXPECT_EQ(profile.Writes().size(), ok ? 7u : 0u);
        for (const auto& box : boxes) {
            const bool flipped = ok && (!box.direct3dOnly || d3d != 0);
            EXPECT_EQ(profile.GetProfileInt(ProfileSection, box.key, -9),
                      flipped ? 1 - box.stored : box.stored)
                << box.key;
        }
        EXPECT_EQ(profile.GetProfileInt(ProfileSection, "Slider", -9), ok && d3d != 0 ? 80 : 30);
    }
}

}  // namespace
}  // namespace kestrun
