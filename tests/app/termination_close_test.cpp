#include "app/termination_close.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <csignal>

namespace kestrun {
namespace {

// A real signal while a question is open dismisses the question. During start-up, before the
// window is shown and handed over, the request is only remembered; after, the window is closed
// through its own close, never dismissed like the question.
TEST(TerminationCloseTest, ASignalDismissesOpenDialogsAndThenClosesTheWindow) {
    TerminationClose termination;
    QDialog window;
    int closes = 0;
    for (const bool handedOver : {false, true}) {
        SCOPED_TRACE(handedOver ? "handed over" : "during start-up");
        if (handedOver) {
            window.show();
            termination.CloseWith(window, [&closes] { ++closes; });
        }
        QMessageBox question;
        bool gaveUp = false;
        QTimer::singleShot(0, [] { ::raise(SIGTERM); });
        // Only for a failing test: the question would otherwise stay open for good.
        QTimer::singleShot(10000, &question, [&] {
            gaveUp = true;
            question.done(0);
        });
        question.exec();
        EXPECT_FALSE(gaveUp);
        EXPECT_TRUE(termination.Requested());
        EXPECT_EQ(window.isVisible(), handedOver);
        EXPECT_EQ(closes, handedOver ? 1 : 0);
    }
}

}  // namespace
}  // namespace kestrun
