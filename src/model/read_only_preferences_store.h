#pragma once

#include "model/preferences_store.h"

// Reads through to another store and refuses every change, so a command that only reports (status) cannot
// alter the user's documents, whatever the engine would tidy up on loading.
class ReadOnlyPreferencesStore final : public PreferencesStore {
public:
    explicit ReadOnlyPreferencesStore(PreferencesStore& store) : m_store(store) {}

    std::optional<QByteArray> value(const QString& key) override { return m_store.value(key); }
    bool setValue(const QString&, const QByteArray&) override { return false; }
    bool contains(const QString& key) override { return m_store.contains(key); }
    bool copyValue(const QString&, const QString&) override { return false; }
    bool remove(const QString&) override { return false; }
    QStringList keys() override { return m_store.keys(); }

private:
    PreferencesStore& m_store;
};
