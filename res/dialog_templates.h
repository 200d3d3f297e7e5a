#pragma once

#include "ui/dialog_template.h"

namespace kestrun {

const DialogTemplate& MainDialogTemplate();
const DialogTemplate& AdvancedOptionsDialogTemplate();
const DialogTemplate& AboutDialogTemplate();

// The template with the given resource number, or null when there is none.
const DialogTemplate* FindDialogTemplate(int templateId);

}  // namespace kestrun
