#include "platform/qt_process_waiter.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <string>
#include <vector>

#include "platform/child_process.h"

namespace kestrun::testing {
namespace {

// A child process with its descriptor; it is always ended and collected.
class Child {
  public:
    explicit Child(std::vector<std::string> arguments) {
        ChildLaunch launch;
        launch.executable = arguments.front();
        launch.arguments = std::move(arguments);
        pid_ = SpawnChild(launch).pid;
        fd_ = pid_ > 0 ? OpenProcessFd(pid_) : -1;
        EXPECT_GE(fd_, 0);
    }
    ~Child() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::close(fd_);
            ReapChild(pid_);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    int Fd() const { return fd_; }

  private:
    pid_t pid_ = -1;
    int fd_ = -1;
};

// The child ends on its own, without any help from the events the wait dispatches; a wait
// that dispatched nothing would leave the flag unset.
TEST(QtProcessWaiterTest, DispatchesEventsUntilTheChildEnds) {
    Child child({"/bin/sleep", "0.2"});
    bool dispatched = false;
    QTimer::singleShot(0, [&] { dispatched = true; });
    QtProcessWaiter waiter;
    EXPECT_TRUE(waiter.WaitForExit(child.Fd()));
    EXPECT_TRUE(dispatched);
}

TEST(QtProcessWaiterTest, AnEndedChildReturnsAtOnceWithoutDispatching) {
    Child child({"/bin/true"});
    BlockingProcessWaiter().WaitForExit(child.Fd());
    bool dispatched = false;
    QTimer::singleShot(0, [&] { dispatched = true; });

    QtProcessWaiter waiter;
    EXPECT_TRUE(waiter.WaitForExit(child.Fd()));
    EXPECT_FALSE(dispatched);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dispatched);
}

TEST(QtProcessWaiterTest, ADescriptorThatIsNotOpenFailsTheWait) {
    const int closed = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(closed, 0);
    ::close(closed);
    QtProcessWaiter waiter;
    EXPECT_FALSE(waiter.WaitForExit(closed));
    EXPECT_FALSE(waiter.WaitForExit(-1));
}

}  // namespace
}  // namespace kestrun::testing
