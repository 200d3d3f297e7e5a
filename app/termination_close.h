#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

class QSocketNotifier;

namespace kestrun {

// Turns SIGTERM and SIGINT into the window's own close, so that a logout or a kill saves the
// history and the options as Exit does. The signal only wakes the window's thread; everything
// else happens there. One object per process.
class TerminationClose final : public QObject {
    Q_OBJECT
  public:
    TerminationClose();
    ~TerminationClose() override;
    TerminationClose(const TerminationClose&) = delete;
    TerminationClose& operator=(const TerminationClose&) = delete;

    // From now on a request dismisses every other open dialog and then calls close; before,
    // it dismisses them and is only remembered.
    void CloseWith(QWidget& window, std::function<void()> close);
    bool Requested() const { return requested_; }

  private:
    void OnSignal();

    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    QPointer<QWidget> window_;
    std::function<void()> close_;
    bool requested_ = false;
};

}  // namespace kestrun
