#include <gtest/gtest.h>

#include <QProcess>
#include <cstdlib>

#include "platform/instance_lock.h"
#include "tests/support/temp_folder.h"

namespace kestrun {
namespace {

// Were the program to go on, it would wait on the "mame not found" question (there is no
// emulator beside the built program) and the wait below would time out.
TEST(SecondInstanceTest, ASecondStartEndsAtOnceWithoutAWindowOrMessage) {
    testing::TempFolder runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.Path()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");

    ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    const InstanceLock first(InstanceLockPath("kestrun"));
    ::unsetenv("XDG_RUNTIME_DIR");
    ASSERT_EQ(first.GetState(), InstanceLock::State::Held);

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(KESTRUN_EXECUTABLE, {});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(second.readAllStandardError().isEmpty());
}

}  // namespace
}  // namespace kestrun
