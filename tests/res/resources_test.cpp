#include <gtest/gtest.h>

#include <set>

#include "res/dialog_templates.h"
#include "res/images.h"
#include "res/resource_ids.h"

namespace kestrun {
namespace {

// Each template names its controls once and has the pictures they show; each icon in use has
// its small and large size, and the default snapshot its 24-bit picture.
TEST(ResourcesTest, EveryControlIdIsUniqueAndEveryPictureInUseExists) {
    for (const int templateId : {ids::MainDialog, ids::AdvancedOptionsDialog, ids::AboutDialog}) {
        const DialogTemplate& dialog = *FindDialogTemplate(templateId);
        std::set<int> seen;
        for (const ControlTemplate& control : dialog.controls) {
            EXPECT_TRUE(control.id == NoControlId || seen.insert(control.id).second) << control.id;
            if (control.kind == ControlKind::BitmapStatic) {
                EXPECT_TRUE(dialog.images && !dialog.images->Bitmap(control.imageId).isNull());
            } else if (control.kind == ControlKind::IconStatic) {
                EXPECT_TRUE(dialog.images && !dialog.images->Icon(control.imageId).isNull());
            }
        }
    }
    for (const int iconId : {ids::ProgramIcon, ids::NextIcon, ids::PreviousIcon, ids::SoundOffIcon,
                             ids::SoundOnIcon, ids::DeleteSnapshotIcon, ids::FullScreenIcon}) {
        const QList<QSize> sizes = LoadIconResource(iconId).availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)) && sizes.contains(QSize(32, 32))) << iconId;
    }
    const QImage picture = LoadBitmapResource(ids::DefaultSnapshotBitmap);
    EXPECT_TRUE(picture.size() == QSize(232, 263) && picture.depth() == 24);
}

}  // namespace
}  // namespace kestrun
