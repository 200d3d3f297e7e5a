#pragma once

#include <QComboBox>

namespace kestrun {

// A combo box that tells its dialog when its list is about to open, whether or not the user
// then picks an item.
class DropDownComboBox : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;

    void showPopup() override {
        emit droppedDown();
        QComboBox::showPopup();
    }

  signals:
    void droppedDown();
};

}  // namespace kestrun
