#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Items of the per-user secret store, addressed by account name under the program's one service. Every
// call returns within a bounded time; a timeout counts as a failure. Safe to call from any thread.
class CredentialStore {
public:
    virtual ~CredentialStore() = default;

    // The item's bytes as stored; nothing when there is no item or the store fails.
    virtual std::optional<QByteArray> load(const QString& account) = 0;
    // Adds the item (replacing one with the same account); false when the store fails.
    virtual bool save(const QString& account, const QByteArray& bytes) = 0;
    // Removes the item; removing a missing item succeeds.
    virtual bool remove(const QString& account) = 0;
};
