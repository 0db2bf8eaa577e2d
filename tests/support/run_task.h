#pragma once

#include "model/zing_error.h"

#include <QCoroTask>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <exception>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <stdexcept>
#include <type_traits>

// Runs `task` on a nested event loop until it ends and returns its result or rethrows its exception. A task
// that is still running after `limit` fails the test and throws, so a hanging coroutine cannot hang the test
// program. (QCoro::waitFor never returns when the task throws.)
namespace TestTasks {

namespace detail {
template <typename T> struct Outcome {
    std::conditional_t<std::is_void_v<T>, bool, std::optional<T>> value{};
    std::exception_ptr error;
    bool done = false;
    QEventLoop* loop = nullptr;
};

template <typename T> QCoro::Task<> drive(QCoro::Task<T> task, std::shared_ptr<Outcome<T>> outcome) {
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
    if (outcome->loop)
        outcome->loop->quit();
}
} // namespace detail

template <typename T> T run(QCoro::Task<T> task, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    auto outcome = std::make_shared<detail::Outcome<T>>();
    auto driver = detail::drive<T>(std::move(task), outcome);
    if (!outcome->done) {
        QEventLoop loop;
        outcome->loop = &loop;
        QTimer::singleShot(limit, &loop, &QEventLoop::quit);
        loop.exec();
        outcome->loop = nullptr;
    }
    if (!outcome->done) {
        ADD_FAILURE() << "task still running after " << limit.count() << " ms";
        throw std::runtime_error("task did not finish in time");
    }
    if (outcome->error)
        std::rethrow_exception(outcome->error);
    if constexpr (!std::is_void_v<T>)
        return std::move(*outcome->value);
}

// The description of the error `task` fails with, or "<no failure>" when it succeeds.
template <typename T> QString failureOf(QCoro::Task<T> task) {
    try {
        run(std::move(task));
    } catch (const ZingError& error) {
        return error.description();
    }
    return QStringLiteral("<no failure>");
}

} // namespace TestTasks
