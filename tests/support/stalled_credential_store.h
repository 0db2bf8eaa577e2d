#pragma once

#include "model/credential_store.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

// A keyring that does not answer: every call blocks its thread until release() or until the time-out, then
// fails as the real store does when its bounded call gives up. After release() calls fail at once.
class StalledCredentialStore final : public CredentialStore {
public:
    explicit StalledCredentialStore(std::chrono::milliseconds timeout) : m_timeout(timeout) {}
    ~StalledCredentialStore() override { release(); }

    std::optional<QByteArray> load(const QString&) override {
        stall();
        return std::nullopt;
    }
    bool save(const QString&, const QByteArray&) override {
        stall();
        return false;
    }
    bool remove(const QString&) override {
        stall();
        return false;
    }

    void release() {
        std::lock_guard lock(m_mutex);
        m_released = true;
        m_wake.notify_all();
    }
    int calls() const { return m_calls.load(); }

private:
    void stall() {
        ++m_calls;
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, m_timeout, [this] { return m_released; });
    }

    const std::chrono::milliseconds m_timeout;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_released = false;
    std::atomic<int> m_calls{0};
};
