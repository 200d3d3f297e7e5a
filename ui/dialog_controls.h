#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QWidget>
#include <map>
#include <vector>

#include "ui/dialog_template.h"

namespace kestrun {

struct DialogControl {
    const ControlTemplate* source = nullptr;
    QWidget* widget = nullptr;
};

// The controls of one built dialog, in template order, found by id.
class DialogControls {
  public:
    void Add(const ControlTemplate& source, QWidget* widget);
    // The radio buttons of the group that starts at groupStartId, in template order.
    void AddRadioGroup(int groupStartId, QButtonGroup* group);

    // The first control with the id, or null.
    QWidget* Find(int controlId) const;
    const std::vector<DialogControl>& All() const { return controls_; }
    // The exclusive group of radio buttons that starts at the control, or null.
    QButtonGroup* RadioGroup(int groupStartId) const;

  private:
    std::vector<DialogControl> controls_;
    std::map<int, QButtonGroup*> radioGroups_;
};

}  // namespace kestrun
