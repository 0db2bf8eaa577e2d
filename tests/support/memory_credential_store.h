#pragma once

#include "model/credential_store.h"

#include <QMap>
#include <QStringList>
#include <mutex>

// Credentials in memory. Records every call as "load:<account>", "save:<account>" or "remove:<account>" so
// tests can check order. With failing set, every call fails as a locked or absent secret store would.
class MemoryCredentialStore final : public CredentialStore {
public:
    std::optional<QByteArray> load(const QString& account) override {
        std::lock_guard lock(m_mutex);
        m_calls.append(QStringLiteral("load:") + account);
        if (m_failing || !m_items.contains(account))
            return std::nullopt;
        return m_items.value(account);
    }
    bool save(const QString& account, const QByteArray& bytes) override {
        std::lock_guard lock(m_mutex);
        m_calls.append(QStringLiteral("save:") + account);
        if (m_failing)
            return false;
        m_items.insert(account, bytes);
        return true;
    }
    bool remove(const QString& account) override {
        std::lock_guard lock(m_mutex);
        m_calls.append(QStringLiteral("remove:") + account);
        if (m_failing)
            return false;
        m_items.remove(account);
        return true;
    }

    // Test controls.
    void setFailing(bool failing) {
        std::lock_guard lock(m_mutex);
        m_failing = failing;
    }
    void put(const QString& account, const QByteArray& bytes) {
        std::lock_guard lock(m_mutex);
        m_items.insert(account, bytes);
    }
    QMap<QString, QByteArray> items() const {
        std::lock_guard lock(m_mutex);
        return m_items;
    }
    QStringList calls() const {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }
    void clearCalls() {
        std::lock_guard lock(m_mutex);
        m_calls.clear();
    }

private:
    mutable std::mutex m_mutex;
    QMap<QString, QByteArray> m_items;
    QStringList m_calls;
    bool m_failing = false;
};
