#pragma once

#include "model/preferences_store.h"

#include <QMap>

// Preferences in memory. With failWrites set, every change is refused and the stored values stay as they
// were, as when the disk is full or the folder cannot be written.
class MemoryPreferencesStore final : public PreferencesStore {
public:
    std::optional<QByteArray> value(const QString& key) override {
        const auto it = m_values.constFind(key);
        if (it == m_values.constEnd() || m_unreadable.contains(key))
            return std::nullopt;
        return *it;
    }
    bool setValue(const QString& key, const QByteArray& bytes) override {
        ++m_writeAttempts;
        if (m_failWrites)
            return false;
        m_values.insert(key, bytes);
        m_unreadable.remove(key);
        return true;
    }
    bool contains(const QString& key) override { return m_values.contains(key); }
    bool copyValue(const QString& from, const QString& to) override {
        if (m_failWrites || m_failCopies || !m_values.contains(from) || m_values.contains(to))
            return false;
        m_values.insert(to, m_values.value(from));
        return true;
    }
    bool remove(const QString& key) override {
        if (m_failWrites)
            return false;
        m_unreadable.remove(key);
        return m_values.remove(key) > 0;
    }
    QStringList keys() override { return m_values.keys(); }

    // Test controls.
    void setFailWrites(bool fail) { m_failWrites = fail; }
    // Only copies fail; plain writes still work.
    void setFailCopies(bool fail) { m_failCopies = fail; }
    // The value is stored but value() cannot read it (too large, not a file).
    void putUnreadable(const QString& key, const QByteArray& bytes) {
        m_values.insert(key, bytes);
        m_unreadable.insert(key, true);
    }
    const QMap<QString, QByteArray>& values() const { return m_values; }
    int writeAttempts() const { return m_writeAttempts; }

private:
    QMap<QString, QByteArray> m_values;
    QMap<QString, bool> m_unreadable;
    bool m_failWrites = false;
    bool m_failCopies = false;
    int m_writeAttempts = 0;
};
