#include "app/screens/help/help_catalog.h"
#include "app/screens/help/help_model.h"
#include "reactions/sound_clip_files.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

TEST(HelpModel, AtMostOneEntryIsOpen) {
    HelpModel help;
    const struct {
        const char* press;
        std::optional<QString> open;
    } steps[] = {
        {"how-it-works", QStringLiteral("how-it-works")},
        {"privacy", QStringLiteral("privacy")}, // the second closes the first
        {"privacy", std::nullopt},              // the open one closes itself
        {"polling", QStringLiteral("polling")},
    };
    for (const auto& step : steps) {
        help.toggle(QString::fromUtf8(step.press));
        EXPECT_EQ(help.expandedId(), step.open) << step.press;
    }
    EXPECT_TRUE(help.isExpanded(QStringLiteral("polling")));
    EXPECT_FALSE(help.isExpanded(QStringLiteral("how-it-works")));
}

TEST(HelpCatalog, EntriesHaveDistinctIdsAndTheClipAnswerNamesWhatTheEngineReads) {
    QSet<QString> ids;
    for (const FAQItem& item : HelpCatalog::items())
        ids.insert(item.id);
    EXPECT_EQ(ids.size(), HelpCatalog::items().size());
    EXPECT_EQ(HelpCatalog::items().size(), 9);

    const QString answer = HelpCatalog::items()[3].answer;
    for (const QString& extension : SoundClipFiles::supportedExtensions())
        EXPECT_TRUE(answer.contains(extension.toUpper())) << extension.toStdString();
    EXPECT_TRUE(answer.startsWith(QStringLiteral("Yes. Drop MP3, WAV, M4A, "))) << answer.toStdString();
    EXPECT_TRUE(answer.contains(QStringLiteral(", or FLAC files into the Sounds folder")))
        << answer.toStdString();
    // Nothing watches the folder, so the answer must keep asking for a restart.
    EXPECT_TRUE(answer.contains(QStringLiteral("Restart Zingboard after adding new files")));
}

TEST(HelpCatalog, PrefixesMatchTheFilesTheEngineLoads) {
    const auto prefixes = HelpCatalog::soundPrefixes();
    ASSERT_EQ(prefixes.size(), SoundEffects::allCases().size());
    // The example names in the answers must really be picked up for their packs.
    const struct {
        SoundEffect effect;
        const char* example;
    } examples[] = {{SoundEffect::moan, "moan_clip.mp3"},
                    {SoundEffect::scream, "scream_vader.wav"},
                    {SoundEffect::chaChing, "cha_ching_wolf.mp3"}};
    for (const auto& e : examples) {
        const auto it = std::find_if(prefixes.begin(), prefixes.end(),
                                     [&](const auto& p) { return p.first == e.effect; });
        ASSERT_NE(it, prefixes.end());
        EXPECT_TRUE(QString::fromUtf8(e.example).startsWith(it->second)) << e.example;
    }
}

} // namespace
