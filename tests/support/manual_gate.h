#pragma once

#include <coroutine>
#include <vector>

// Lets a test hold a coroutine at a chosen point and release it later. Open by default.
class ManualGate {
public:
    bool isOpen() const { return m_open; }
    void close() { m_open = false; }
    // Opens the gate and resumes everything waiting on it, in arrival order.
    void open() {
        m_open = true;
        std::vector<std::coroutine_handle<>> waiting;
        waiting.swap(m_waiting);
        for (std::coroutine_handle<> handle : waiting)
            handle.resume();
    }
    int waitingCount() const { return int(m_waiting.size()); }

    auto wait() {
        struct Awaiter {
            ManualGate& gate;
            bool await_ready() const noexcept { return gate.m_open; }
            void await_suspend(std::coroutine_handle<> handle) { gate.m_waiting.push_back(handle); }
            void await_resume() const noexcept {}
        };
        return Awaiter{*this};
    }

private:
    bool m_open = true;
    std::vector<std::coroutine_handle<>> m_waiting;
};
