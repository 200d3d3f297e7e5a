#include "res/dialog_templates.h"

namespace kestrun {

const DialogTemplate* FindDialogTemplate(int templateId) {
    for (const DialogTemplate* dialog :
         {&MainDialogTemplate(), &AdvancedOptionsDialogTemplate(), &AboutDialogTemplate()}) {
        if (dialog->id == templateId) {
            return dialog;
        }
    }
    return nullptr;
}

}  // namespace kestrun
