#include <gtest/gtest.h>

#include <set>

#include "res/dialog_templates.h"
#include "res/images.h"
#include "res/resource_ids.h"

namespace kestrun {
namespace {

TEST(ResourcesTest, EachTemplateNamesItsControlsOnceAndHasItsPictures) {
    for (const int templateId : {ids::MainDialog, ids::AdvancedOptionsDialog, ids::AboutDialog}) {
        const DialogTemplate& dialog = *FindDialogTemplate(templateId);
        std::set<int> seen;
        for (const ControlTemplate& control : dialog.controls) {
            if (control.id != NoControlId) {
                EXPECT_TRUE(seen.insert(control.id).second) << templateId << ": " << control.id;
            }
            if (control.kind == ControlKind::BitmapStatic) {
                ASSERT_NE(dialog.images, nullptr) << templateId;
                EXPECT_FALSE(dialog.images->Bitmap(control.imageId).isNull()) << control.id;
            } else if (control.kind == ControlKind::IconStatic) {
                ASSERT_NE(dialog.images, nullptr) << templateId;
                EXPECT_FALSE(dialog.images->Icon(control.imageId).isNull()) << control.id;
            }
        }
    }
    EXPECT_EQ(FindDialogTemplate(999), nullptr);
}

TEST(ResourcesTest, PicturesExistForEveryResourceNumberInUse) {
    for (const int iconId : {ids::ProgramIcon, ids::NextIcon, ids::PreviousIcon, ids::SoundOffIcon,
                             ids::SoundOnIcon, ids::DeleteSnapshotIcon, ids::FullScreenIcon}) {
        const QList<QSize> sizes = LoadIconResource(iconId).availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32))) << iconId;
    }
    EXPECT_TRUE(LoadIconResource(131).isNull());
    const QImage picture = LoadBitmapResource(ids::DefaultSnapshotBitmap);
    EXPECT_EQ(picture.size(), QSize(232, 263));
    EXPECT_EQ(picture.depth(), 24);
    EXPECT_TRUE(LoadBitmapResource(128).isNull());
}

}  // namespace
}  // namespace kestrun
