#include "app/screens/reaction/emoji_catalog.h"

namespace EmojiCatalog {

namespace {
EmojiSection section(const char* title, std::initializer_list<const char*> emojis) {
    EmojiSection result{QString::fromUtf8(title), {}};
    for (const char* emoji : emojis)
        result.emojis.append(QString::fromUtf8(emoji));
    return result;
}
} // namespace

// Spelled as code points: U+FE0F decides whether a symbol is drawn as a colour emoji.
const QList<EmojiSection>& catalog() {
    static const QList<EmojiSection> sections = {
        section("Money", {"\U0001F4B0", "\U0001F911", "\U0001F4B5", "\U0001F4B8", "\U0001F3E6", "\U0001F4B3",
                          "\U0001FA99", "\U0001F4C8"}),
        section("Hype", {"\U0001F680", "\U0001F525", "\u26A1\uFE0F", "\U0001F4A5", "\U0001F3AF", "\U0001F451",
                         "\U0001F3C6", "\u2B50\uFE0F"}),
        section("Celebrate", {"\U0001F389", "\U0001F973", "\U0001F37E", "\U0001F44F", "\U0001F4AA", "\u2728",
                              "\U0001F31F", "\U0001F38A"}),
        section("Chaos", {"\U0001F595", "\U0001F631", "\U0001F480", "\u2620\uFE0F", "\U0001F921",
                          "\U0001FAE0", "\U0001F62D", "\U0001F6A8"}),
        section("Vibes", {"\U0001F48B", "\U0001F410", "\U0001F984", "\U0001F308", "\U0001F49C", "\U0001F5A4",
                          "\U0001F440", "\U0001F92F"}),
        section("Classic", {"\U0001F60E", "\U0001FAE1", "\U0001F64C", "\U0001F4AF", "\U0001F514",
                            "\U0001F4E3", "\U0001F3BA", "\U0001F976"}),
    };
    return sections;
}

QList<EmojiSection> sections(const QStringList& suggested) {
    QList<EmojiSection> result;
    if (!suggested.isEmpty())
        result.append({QStringLiteral("Suggested"), suggested});
    result.append(catalog());
    return result;
}

} // namespace EmojiCatalog
