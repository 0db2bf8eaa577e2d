#include "model/bounded_call.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

std::atomic<int> g_abandonedRunning{0};

struct Shared {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
};

} // namespace

bool BoundedCall::run(std::chrono::milliseconds limit, std::function<void()> work,
                      std::function<void()> giveUp) {
    if (g_abandonedRunning.load() >= maximumAbandoned)
        return false;

    auto shared = std::make_shared<Shared>();
    try {
        std::thread([shared, work = std::move(work)] {
            work();
            std::lock_guard lock(shared->mutex);
            shared->done = true;
            if (shared->abandoned)
                --g_abandonedRunning;
            shared->finished.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return false;
    }

    std::unique_lock lock(shared->mutex);
    if (shared->finished.wait_for(lock, limit, [&] { return shared->done; }))
        return true;
    shared->abandoned = true;
    ++g_abandonedRunning;
    lock.unlock();
    if (giveUp)
        giveUp();
    return false;
}

int BoundedCall::abandonedRunning() {
    return g_abandonedRunning.load();
}
