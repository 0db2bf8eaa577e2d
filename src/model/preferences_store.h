#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// A per-user store of raw-bytes values under string keys. Failures are reported by return value only;
// callers treat them silently.
class PreferencesStore {
public:
    virtual ~PreferencesStore() = default;

    // The stored bytes; nothing when the key holds no value or the value cannot be read.
    virtual std::optional<QByteArray> value(const QString& key) = 0;
    // Replaces the value as a whole: after a failure the previous value is still there, intact.
    virtual bool setValue(const QString& key, const QByteArray& bytes) = 0;
    // Something is stored under the key, whether or not value() can read it.
    virtual bool contains(const QString& key) = 0;
    // Copies whatever is stored under `from` to `to`, byte for byte, even what value() refuses to read.
    virtual bool copyValue(const QString& from, const QString& to) = 0;
    virtual bool remove(const QString& key) = 0;
    virtual QStringList keys() = 0;
};
