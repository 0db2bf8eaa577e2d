#pragma once

#include "net/http_client.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QCoroTask>
#include <QDeadlineTimer>
#include <QList>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <type_traits>

// Helpers shared by the fuzz programs. A broken invariant aborts, which libFuzzer records as a finding.
namespace Fuzz {

inline QByteArray bytes(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

[[noreturn]] void fail(const char* what);

// One application object per process, for code that needs an event loop or application paths.
void ensureApplication();

// Answers every request with the same canned status and body, at once, and records the requests.
class CannedHttpClient final : public HttpClient {
public:
    CannedHttpClient(int status, QByteArray body) : m_status(status), m_body(std::move(body)) {}
    QCoro::Task<HttpResponse> send(HttpRequest request) override;
    int requestCount() const { return m_requests.size(); }

private:
    int m_status;
    QByteArray m_body;
    QList<HttpRequest> m_requests;
};

template <typename T> struct Outcome {
    std::conditional_t<std::is_void_v<T>, bool, std::optional<T>> value{};
    std::exception_ptr error;
    bool done = false;
};

namespace detail {
template <typename T> QCoro::Task<> drive(QCoro::Task<T> task, Outcome<T>* outcome) {
    try {
        if constexpr (std::is_void_v<T>) {
            co_await std::move(task);
            outcome->value = true;
        } else {
            outcome->value = co_await std::move(task);
        }
    } catch (...) {
        outcome->error = std::current_exception();
    }
    outcome->done = true;
}
} // namespace detail

// Runs `task` to its end, turning the event loop for at most `limit`; a task still running then is a hang.
template <typename T> Outcome<T> run(QCoro::Task<T> task, std::chrono::milliseconds limit) {
    Outcome<T> outcome;
    auto driver = detail::drive<T>(std::move(task), &outcome);
    const QDeadlineTimer deadline(limit);
    while (!outcome.done && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!outcome.done)
        fail("task did not finish");
    return outcome;
}

// Aborts unless `error` is empty or one of the program's own errors (a ZingError and its kinds).
void expectZingErrorOrNothing(const std::exception_ptr& error);

} // namespace Fuzz

#define FUZZ_CHECK(condition)                                                                                \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::Fuzz::fail("check failed: " #condition);                                                       \
    } while (false)
