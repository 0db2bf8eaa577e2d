#include "support/run_task.h"

#include "net/transport_error.h"

#include <QCoroTimer>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

QCoro::Task<> failLater(std::chrono::milliseconds after) {
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(after);
    co_await timer;
    throw TransportError(QStringLiteral("late failure"));
}

QCoro::Task<int> valueLater(std::chrono::milliseconds after) {
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(after);
    co_await timer;
    co_return 7;
}

// QCoro::waitFor hangs on a throwing task; run() must hand the exception back, for void tasks too.
TEST(TestTasks, RethrowsFromSuspendedTasks) {
    EXPECT_THROW(TestTasks::run(failLater(10ms)), TransportError);
    EXPECT_EQ(TestTasks::run(valueLater(10ms)), 7);
}

TEST(TestTasks, TaskOverTheLimitFailsTheTestInsteadOfHanging) {
    bool threw = false;
    EXPECT_NONFATAL_FAILURE(
        {
            try {
                TestTasks::run(valueLater(200ms), 50ms);
            } catch (const std::runtime_error&) {
                threw = true;
            }
        },
        "still running");
    EXPECT_TRUE(threw);
    // Let the abandoned task end, so that its frames are freed before the program exits.
    QEventLoop settle;
    QTimer::singleShot(400ms, &settle, &QEventLoop::quit);
    settle.exec();
}

} // namespace
