#include "google/oauth_resume_guard.h"

#include <QCoroSignal>
#include <QMetaObject>

bool OAuthResumeGuard::succeed(const QString& code) {
    return resolve(code);
}

bool OAuthResumeGuard::fail(const GoogleOAuthError& error) {
    return resolve(error);
}

bool OAuthResumeGuard::isResolved() const {
    std::lock_guard lock(m_mutex);
    return m_outcome.has_value();
}

bool OAuthResumeGuard::resolve(std::variant<QString, GoogleOAuthError> outcome) {
    {
        std::lock_guard lock(m_mutex);
        if (m_outcome)
            return false;
        m_outcome = std::move(outcome);
    }
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT resolved(); }, Qt::QueuedConnection);
    return true;
}

QCoro::Task<QString> OAuthResumeGuard::result() {
    if (!isResolved())
        co_await qCoro(this, &OAuthResumeGuard::resolved);
    std::variant<QString, GoogleOAuthError> outcome = [this] {
        std::lock_guard lock(m_mutex);
        return *m_outcome;
    }();
    if (auto* error = std::get_if<GoogleOAuthError>(&outcome))
        throw *error;
    co_return std::get<QString>(outcome);
}
