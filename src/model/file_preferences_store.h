#pragma once

#include "model/preferences_store.h"

#include <QString>

// One file per key, `<folder>/<key>.json`, holding exactly the value's bytes. Writes go through a temporary
// file that replaces the old one only once complete, so a crash or a full disk never leaves a truncated
// document.
class FilePreferencesStore final : public PreferencesStore {
public:
    // Larger files are treated as unreadable rather than loaded into memory.
    static constexpr qint64 maximumValueSize = 16 * 1024 * 1024;

    explicit FilePreferencesStore(QString folder);

    // $XDG_CONFIG_HOME/zingboard (normally ~/.config/zingboard).
    static QString defaultFolder();

    const QString& folder() const { return m_folder; }
    // The file that holds `key`; empty for a key that cannot name a file in the folder.
    QString pathFor(const QString& key) const;

    std::optional<QByteArray> value(const QString& key) override;
    bool setValue(const QString& key, const QByteArray& bytes) override;
    bool contains(const QString& key) override;
    bool copyValue(const QString& from, const QString& to) override;
    bool remove(const QString& key) override;
    QStringList keys() override;

private:
    QString m_folder;
};
