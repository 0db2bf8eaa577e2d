#include "model/bounded_call.h"

#include <atomic>
#include <condition_variable>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Work that blocks until released, like a secret-store call waiting on an unseen prompt.
struct Gate {
    std::mutex mutex;
    std::condition_variable changed;
    bool open = false;
    void release() {
        std::lock_guard lock(mutex);
        open = true;
        changed.notify_all();
    }
    void wait() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return open; });
    }
};

void waitUntilNoneAbandoned() {
    // Released workers finish promptly; poll briefly instead of assuming when.
    for (int i = 0; i < 500 && BoundedCall::abandonedRunning() > 0; ++i)
        std::this_thread::sleep_for(10ms);
}

} // namespace

TEST(BoundedCall, FinishedWorkReportsSuccessAndItsEffect) {
    auto value = std::make_shared<std::atomic<int>>(0);
    EXPECT_TRUE(BoundedCall::run(
        10s, [value] { value->store(42); }, [] { FAIL() << "gave up on quick work"; }));
    EXPECT_EQ(value->load(), 42);
}

TEST(BoundedCall, HangingWorkIsGivenUpWithinTheLimit) {
    auto gate = std::make_shared<Gate>();
    auto gaveUp = std::make_shared<std::atomic<bool>>(false);
    const bool finished = BoundedCall::run(
        50ms, [gate] { gate->wait(); },
        [gate, gaveUp] {
            gaveUp->store(true);
            gate->release(); // the cancellation reaches the work
        });
    EXPECT_FALSE(finished);
    EXPECT_TRUE(gaveUp->load());
    waitUntilNoneAbandoned();
    EXPECT_EQ(BoundedCall::abandonedRunning(), 0);
}

TEST(BoundedCall, StuckWorkersDoNotPileUp) {
    auto gate = std::make_shared<Gate>();
    for (int i = 0; i < BoundedCall::maximumAbandoned; ++i)
        EXPECT_FALSE(BoundedCall::run(10ms, [gate] { gate->wait(); }, {}));
    EXPECT_EQ(BoundedCall::abandonedRunning(), BoundedCall::maximumAbandoned);

    auto ran = std::make_shared<std::atomic<bool>>(false);
    EXPECT_FALSE(BoundedCall::run(10s, [ran] { ran->store(true); }, {}));
    EXPECT_FALSE(ran->load());

    gate->release();
    waitUntilNoneAbandoned();
    EXPECT_EQ(BoundedCall::abandonedRunning(), 0);
    EXPECT_TRUE(BoundedCall::run(10s, [ran] { ran->store(true); }, {}));
    EXPECT_TRUE(ran->load());
}
