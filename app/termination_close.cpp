#include "app/termination_close.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <utility>

namespace kestrun {
namespace {

constexpr int HandledSignals[] = {SIGTERM, SIGINT};

// Written by the signal handler, which may do nothing but this write.
volatile std::sig_atomic_t wakeDescriptor = -1;

extern "C" void WakeWindowThread(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(wakeDescriptor, &byte, 1);
    errno = savedErrno;
}

}  // namespace

TerminationClose::TerminationClose() {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    wakeDescriptor = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationClose::OnSignal);
    struct sigaction action {};
    action.sa_handler = WakeWindowThread;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : HandledSignals) {
        ::sigaction(signal, &action, nullptr);
    }
}

TerminationClose::~TerminationClose() {
    if (pipe_[0] < 0) {
        return;
    }
    for (const int signal : HandledSignals) {
        std::signal(signal, SIG_DFL);
    }
    wakeDescriptor = -1;
    ::close(pipe_[0]);
    ::close(pipe_[1]);
}

void TerminationClose::CloseWith(QWidget& window, std::function<void()> close) {
    window_ = &window;
    close_ = std::move(close);
}

void TerminationClose::OnSignal() {
    char bytes[64];
    while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
    }
    requested_ = true;
    // A question or the Advanced Options dialog would keep its own loop running.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && dialog != window_ && dialog->isVisible()) {
            dialog->reject();
        }
    }
    if (window_ && close_) {
        close_();
    }
}

}  // namespace kestrun
