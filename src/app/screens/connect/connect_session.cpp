#include "app/screens/connect/connect_session.h"

#include "engine/app_state.h"
#include "model/zing_error.h"

#include <QPointer>
#include <exception>

ConnectSession::ConnectSession(AppState& state, QObject* parent)
    : QObject(parent), m_state(state), m_connector(state, state.keychain()) {}

ConnectSession::~ConnectSession() = default;

const ConnectSession::KeyConnect& ConnectSession::keyConnect(IntegrationProvider provider) const {
    static const KeyConnect idle;
    const auto it = m_keyConnects.constFind(provider);
    return it == m_keyConnects.constEnd() ? idle : it.value();
}

void ConnectSession::setKeyConnect(IntegrationProvider provider, const KeyConnect& value) {
    m_keyConnects.insert(provider, value);
    Q_EMIT keyConnectChanged(provider);
}

bool ConnectSession::startKeyConnect(IntegrationProvider provider) {
    if (keyConnect(provider).busy)
        return false;
    setKeyConnect(provider, KeyConnect{true, std::nullopt});
    return true;
}

bool ConnectSession::connectStripe(const QString& secretKey) {
    if (!startKeyConnect(IntegrationProvider::stripe))
        return false;
    // Detached: the task ends itself; the session outlives the panel that asked.
    finishKeyConnect(IntegrationProvider::stripe, m_connector.connectStripe(secretKey));
    return true;
}

bool ConnectSession::connectDatafast(const QString& apiKey, const QString& websiteId) {
    if (!startKeyConnect(IntegrationProvider::datafast))
        return false;
    finishKeyConnect(IntegrationProvider::datafast, m_connector.connectDatafast(apiKey, websiteId));
    return true;
}

QCoro::Task<void> ConnectSession::finishKeyConnect(IntegrationProvider provider, QCoro::Task<void> work) {
    QPointer<ConnectSession> self(this);
    std::optional<QString> failure;
    try {
        co_await std::move(work);
    } catch (const std::exception& error) {
        failure = shortErrorText(describeError(error));
    }
    if (!self)
        co_return;
    setKeyConnect(provider, KeyConnect{false, failure});
    Q_EMIT keyConnectFinished(provider, !failure.has_value());
}

void ConnectSession::disconnect(IntegrationProvider provider) {
    if (keyConnect(provider).busy)
        return;
    m_state.disconnectProvider(provider);
    setKeyConnect(provider, KeyConnect{});
}

void ConnectSession::clearKeyError(IntegrationProvider provider) {
    if (keyConnect(provider).errorMessage)
        setKeyConnect(provider, KeyConnect{keyConnect(provider).busy, std::nullopt});
}
