#include "platform/qt_process_waiter.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include "platform/child_process.h"

namespace kestrun::testing {
namespace {

// Waiting on a running child, the events are dispatched, as the window's runs of the test
// emulator show. One that has ended returns at once, dispatching nothing; a descriptor that is
// not open fails the wait.
TEST(QtProcessWaiterTest, AnEndedChildReturnsAtOnceAndABadDescriptorFails) {
    ChildLaunch launch;
    launch.executable = "/bin/true";
    launch.arguments = {launch.executable};
    const pid_t pid = SpawnChild(launch).pid;
    const int fd = OpenProcessFd(pid);
    ASSERT_GE(fd, 0);
    BlockingProcessWaiter().WaitForExit(fd);
    bool dispatched = false;
    QTimer::singleShot(0, [&] { dispatched = true; });

    EXPECT_TRUE(QtProcessWaiter().WaitForExit(fd));
    EXPECT_FALSE(dispatched);
    QCoreApplication::processEvents();
    EXPECT_TRUE(dispatched);
    ::close(fd);
    ReapChild(pid);
    EXPECT_FALSE(QtProcessWaiter().WaitForExit(fd));
    EXPECT_FALSE(QtProcessWaiter().WaitForExit(-1));
}

}  // namespace
}  // namespace kestrun::testing
