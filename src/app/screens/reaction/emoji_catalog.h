#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A titled group of emoji in the picker.
struct EmojiSection {
    QString title;
    QStringList emojis;

    bool operator==(const EmojiSection&) const = default;
};

namespace EmojiCatalog {
// The six fixed sections of eight emoji each.
const QList<EmojiSection>& catalog();
// What the picker shows: a "Suggested" section holding `suggested` as given (only when it is not empty),
// then the catalog.
QList<EmojiSection> sections(const QStringList& suggested);
} // namespace EmojiCatalog
