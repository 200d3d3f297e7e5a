#pragma once

#include <QWidget>

#include "platform/message_box.h"

namespace kestrun {

// Message boxes as Qt dialogs, modal over their owner (none: application-modal).
class QtMessageBox final : public MessageBoxService {
  public:
    explicit QtMessageBox(QWidget* owner) : owner_(owner) {}

    MessageResult Show(const MessageBoxRequest& request) override;

  private:
    QWidget* owner_;
};

}  // namespace kestrun
