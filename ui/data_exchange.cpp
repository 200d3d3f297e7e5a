#include "ui/data_exchange.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSlider>

namespace kestrun {

void DataExchange::Check(int controlId, int& value) const {
    auto* button = qobject_cast<QAbstractButton*>(controls_.Find(controlId));
    if (button == nullptr) {
        return;
    }
    if (save_) {
        value = button->isChecked() ? 1 : 0;
    } else {
        button->setChecked(value == 1);
    }
}

void DataExchange::Radio(int firstId, int& value) const {
    QButtonGroup* group = controls_.RadioGroup(firstId);
    if (group == nullptr) {
        return;
    }
    const QList<QAbstractButton*> buttons = group->buttons();
    if (save_) {
        value = static_cast<int>(buttons.indexOf(group->checkedButton()));
        return;
    }
    // An exclusive group refuses to uncheck its last checked button.
    group->setExclusive(false);
    for (qsizetype i = 0; i < buttons.size(); ++i) {
        buttons[i]->setChecked(i == value);
    }
    group->setExclusive(true);
}

void DataExchange::ListIndex(int controlId, int& value) const {
    auto* list = qobject_cast<QComboBox*>(controls_.Find(controlId));
    if (list == nullptr) {
        return;
    }
    if (save_) {
        value = list->currentIndex();
    } else {
        list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
    }
}

void DataExchange::Trackbar(int controlId, int& value) const {
    auto* slider = qobject_cast<QSlider*>(controls_.Find(controlId));
    if (slider == nullptr) {
        return;
    }
    if (save_) {
        value = slider->value();
    } else {
        slider->setValue(value);
    }
}

}  // namespace kestrun
