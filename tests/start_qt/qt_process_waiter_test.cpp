#include "platform/qt_process_waiter.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
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
        const SpawnResult started = SpawnChild(launch);
        EXPECT_EQ(started.error, 0);
        pid_ = started.pid;
        fd_ = pid_ > 0 ? OpenProcessFd(pid_) : -1;
        EXPECT_GE(fd_, 0);
    }
    ~Child() {
        End();
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (pid_ > 0) {
            ReapChild(pid_);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    int Fd() const { return fd_; }
    void End() const {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
        }
    }

  private:
    pid_t pid_ = -1;
    int fd_ = -1;
};

// Long enough that a wait that dispatches nothing shows as a failure, not as a hang.
const std::vector<std::string> LongChild = {"/bin/sleep", "5"};

TEST(QtProcessWaiterTest, ReturnsWhenTheChildEndsOnItsOwn) {
    Child child({"/bin/sleep", "0.2"});
    QtProcessWaiter waiter;
    EXPECT_TRUE(waiter.WaitForExit(child.Fd()));
    BlockingProcessWaiter alreadyOver;
    EXPECT_TRUE(alreadyOver.WaitForExit(child.Fd()));
}

TEST(QtProcessWaiterTest, DispatchesEventsPostedBeforeTheWait) {
    Child child(LongChild);
    bool fired = false;
    QTimer::singleShot(0, [&] {
        fired = true;
        child.End();
    });
    QtProcessWaiter waiter;
    EXPECT_TRUE(waiter.WaitForExit(child.Fd()));
    EXPECT_TRUE(fired);
}

// A dialog with an F2 shortcut, a default button that Enter presses and a second button.
class ShortcutDialog : public QDialog {
  public:
    ShortcutDialog() {
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        start = new QPushButton("Start", this);
        other = new QPushButton("Other", this);
        layout->addWidget(edit);
        layout->addWidget(start);
        layout->addWidget(other);
        start->setDefault(true);
        auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F2), this);
        QObject::connect(shortcut, &QShortcut::activated, [this] { ++shortcuts; });
        QObject::connect(start, &QPushButton::clicked, [this] { ++starts; });
        QObject::connect(other, &QPushButton::clicked, [this] { ++clicks; });
    }

    // Everything a user might do: the accelerator, Enter, typing, and a mouse click.
    void UseIt() {
        edit->setFocus();
        QTest::keyClick(this, Qt::Key_F2);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClicks(edit, "ab");
        QTest::mouseClick(other, Qt::LeftButton);
    }

    QLineEdit* edit;
    QPushButton* start;
    QPushButton* other;
    int shortcuts = 0;
    int starts = 0;
    int clicks = 0;
};

TEST(QtProcessWaiterTest, KeyboardDoesNothingDuringTheWaitWhileClicksWork) {
    ShortcutDialog dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    Child child(LongChild);
    QTimer::singleShot(0, [&] {
        dialog.UseIt();
        child.End();
    });

    QtProcessWaiter waiter;
    EXPECT_TRUE(waiter.WaitForExit(child.Fd()));
    EXPECT_EQ(dialog.shortcuts, 0);
    EXPECT_EQ(dialog.starts, 0);
    EXPECT_EQ(dialog.edit->text().toStdString(), "");
    EXPECT_EQ(dialog.clicks, 1);

    // The keyboard comes back once the wait is over.
    dialog.UseIt();
    EXPECT_EQ(dialog.shortcuts, 1);
    EXPECT_EQ(dialog.starts, 1);
    EXPECT_EQ(dialog.edit->text().toStdString(), "ab");
    EXPECT_EQ(dialog.clicks, 2);
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
