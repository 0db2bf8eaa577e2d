#pragma once

#include "google/google_oauth_error.h"

#include <QCoroTask>
#include <QObject>
#include <QString>
#include <mutex>
#include <optional>
#include <variant>

// Resumes a waiting sign-in exactly once: the first succeed() or fail() wins, every later one is ignored, so
// a late listener failure after a handled request changes nothing.
class OAuthResumeGuard : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // True when this call resolved the guard.
    bool succeed(const QString& code);
    bool fail(const GoogleOAuthError& error);
    bool isResolved() const;

    // The code, or the error thrown. The guard must outlive the wait.
    QCoro::Task<QString> result();

Q_SIGNALS:
    // Delivered through the event loop, so the waiter never resumes inside the caller of succeed()/fail().
    void resolved();

private:
    bool resolve(std::variant<QString, GoogleOAuthError> outcome);

    mutable std::mutex m_mutex;
    std::optional<std::variant<QString, GoogleOAuthError>> m_outcome;
};
