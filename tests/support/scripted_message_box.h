#pragma once

#include <deque>
#include <vector>

#include "platform/message_box.h"

namespace kestrun::testing {

// Records every message and answers with the scripted results in turn; once the script is
// used up it answers with the first button (Ok or Yes).
class ScriptedMessageBox final : public MessageBoxService {
  public:
    void Answer(MessageResult result) { script_.push_back(result); }
    const std::vector<MessageBoxRequest>& Shown() const { return shown_; }

    MessageResult Show(const MessageBoxRequest& request) override {
        shown_.push_back(request);
        if (!script_.empty()) {
            const MessageResult result = script_.front();
            script_.pop_front();
            return result;
        }
        return request.buttons == MessageButtons::YesNo ? MessageResult::Yes : MessageResult::Ok;
    }

  private:
    std::deque<MessageResult> script_;
    std::vector<MessageBoxRequest> shown_;
};

}  // namespace kestrun::testing
