#include "platform/qt_process_waiter.h"

#include <poll.h>

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QObject>
#include <QSocketNotifier>
#include <cerrno>

namespace kestrun {
namespace {

enum class ChildState { Running, Ended, Invalid };

ChildState StateOf(int processFd) {
    pollfd watched{processFd, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&watched, 1, 0);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0 || (watched.revents & POLLNVAL) != 0) {
        return ChildState::Invalid;
    }
    return (watched.revents & POLLIN) != 0 ? ChildState::Ended : ChildState::Running;
}

// Installed on the application for the lifetime of one wait.
class KeyboardSwallower final : public QObject {
  public:
    KeyboardSwallower() { QCoreApplication::instance()->installEventFilter(this); }
    ~KeyboardSwallower() override { QCoreApplication::instance()->removeEventFilter(this); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                return true;
            default:
                return QObject::eventFilter(watched, event);
        }
    }
};

}  // namespace

bool QtProcessWaiter::WaitForExit(int processFd) {
    if (processFd < 0 || QCoreApplication::instance() == nullptr) {
        return false;
    }
    // A child that has already gone needs no loop, and a bad descriptor would never wake one.
    switch (StateOf(processFd)) {
        case ChildState::Ended:
            return true;
        case ChildState::Invalid:
            return false;
        case ChildState::Running:
            break;
    }

    KeyboardSwallower swallower;
    QEventLoop loop;
    QSocketNotifier notifier(processFd, QSocketNotifier::Read);
    // The descriptor stays readable: without disabling, a wait nested inside this one (a
    // second Start while the window is visible) would keep waking on it.
    QObject::connect(&notifier, &QSocketNotifier::activated, &loop, [&notifier, &loop] {
        notifier.setEnabled(false);
        loop.quit();
    });
    loop.exec();
    // The loop also ends when the application quits; only an ended child is a finished wait.
    return StateOf(processFd) == ChildState::Ended;
}

}  // namespace kestrun
