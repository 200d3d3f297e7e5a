#include "ui/dialog_controls.h"

namespace kestrun {

void DialogControls::Add(const ControlTemplate& source, QWidget* widget) {
    controls_.push_back({&source, widget});
}

void DialogControls::AddRadioGroup(int groupStartId, QButtonGroup* group) {
    radioGroups_.emplace(groupStartId, group);
}

QWidget* DialogControls::Find(int controlId) const {
    if (controlId == NoControlId) {
        return nullptr;
    }
    for (const DialogControl& control : controls_) {
        if (control.source->id == controlId) {
            return control.widget;
        }
    }
    return nullptr;
}

QButtonGroup* DialogControls::RadioGroup(int groupStartId) const {
    const auto found = radioGroups_.find(groupStartId);
    return found == radioGroups_.end() ? nullptr : found->second;
}

}  // namespace kestrun
