#pragma once

#include <string>

namespace kestrun {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageIcon { None, Information, Question, Exclamation, Stop };
enum class MessageResult { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    // Zero-based position of the default button among the buttons shown.
    int defaultButton = 0;
    // Shown on request below the text, for the long story behind a short message.
    std::string details = {};
};

// Every message the user sees goes through this one service; tests script the answers.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual MessageResult Show(const MessageBoxRequest& request) = 0;
};

}  // namespace kestrun
