#include "app/screens/help/help_catalog.h"

#include "reactions/sound_clip_files.h"
#include "reactions/zing_theme.h"

#include <algorithm>

namespace HelpCatalog {

QString supportedFormatsText() {
    // The everyday formats first, then the rest in the engine's order.
    static const QStringList familiar = {QStringLiteral("mp3"), QStringLiteral("wav"), QStringLiteral("m4a")};
    QStringList extensions = SoundClipFiles::supportedExtensions();
    std::stable_sort(extensions.begin(), extensions.end(), [](const QString& a, const QString& b) {
        const auto rank = [](const QString& e) { return familiar.contains(e) ? familiar.indexOf(e) : 99; };
        return rank(a) < rank(b);
    });
    QStringList formats;
    for (const QString& extension : extensions)
        formats.append(extension.toUpper());
    if (formats.size() < 2)
        return formats.join(QString());
    const QString last = formats.takeLast();
    return formats.join(QStringLiteral(", ")) + (formats.size() > 1 ? QStringLiteral(",") : QString()) +
           QStringLiteral(" or ") + last;
}

const QList<FAQItem>& items() {
    static const QList<FAQItem> list = {
        {QStringLiteral("how-it-works"), QStringLiteral("sparkles"), ZingTheme::electricPurple(),
         QStringLiteral("How does Zingboard work?"),
         QStringLiteral(
             "Connect Stripe, Google Analytics, Datafast, or Search Console from the Connect tab. "
             "Zingboard polls your metrics in the background. When a goal is hit or a trigger fires, "
             "your desktop celebrates with emoji, a meme sound, and an on-screen banner.")},
        {QStringLiteral("goals-vs-triggers"), QStringLiteral("target"), ZingTheme::moneyGreen(),
         QStringLiteral("What's the difference between goals and triggers?"),
         QStringLiteral(
             "Goals fire once when you hit a target \u2014 for example, $100 revenue today. Triggers "
             "fire on every matching event \u2014 for example, each new Stripe purchase or refund. "
             "Both get their own emoji, sound, and banner message.")},
        {QStringLiteral("custom-sounds"), QStringLiteral("speaker.wave.3.fill"), ZingTheme::lime(),
         QStringLiteral("How do I customize sounds?"),
         QStringLiteral(
             "When you create or edit a goal or trigger, pick a meme sound pack from the list \u2014 "
             "Show me the money, Noooo, Cha-ching, To the moon, and more. Tap the speaker icon to "
             "preview before saving. Each reaction can use a different sound.")},
        // The sounds folder is read when Zingboard starts; nothing watches it afterwards.
        {QStringLiteral("custom-clips"), QStringLiteral("folder.badge.plus"), ZingTheme::hotPink(),
         QStringLiteral("Can I use my own audio clips?"),
         QStringLiteral("Yes. Drop ") + supportedFormatsText() +
             QStringLiteral(
                 " files into the Sounds folder (see below). Name files with the sound-pack prefix "
                 "\u2014 for example moan_clip.mp3, scream_vader.wav, or cha_ching_wolf.mp3. Your "
                 "clips play instead of the bundled lines, and a random clip is picked each time. "
                 "Restart Zingboard after adding new files so they load.")},
        {QStringLiteral("emoji-message"), QStringLiteral("face.smiling"), ZingTheme::electricPurple(),
         QStringLiteral("How do I change emoji and banner text?"),
         QStringLiteral("Open any goal or trigger editor. Choose an emoji, pick a quick preset (Bag, Moon, "
                        "Rage, etc.), or type your own headline \u2014 \"Show me the money!\", \"Noooo!\", "
                        "whatever fits the moment.")},
        {QStringLiteral("notification-style"), QStringLiteral("rectangle.inset.filled.and.person.filled"),
         ZingTheme::hotPink(), QStringLiteral("Celebration vs Subtle \u2014 what's the difference?"),
         QStringLiteral("Celebration is full-screen chaos: emoji burst, stamp, and emoji rain. Subtle is a "
                        "quiet corner toast \u2014 still plays the meme sound. Toggle \"Emoji rain & burst "
                        "effects\" to get falling emojis in either style.")},
        {QStringLiteral("menu-bar"), QStringLiteral("menubar.rectangle"), ZingTheme::lime(),
         QStringLiteral("What is the menu bar metric?"),
         QStringLiteral(
             "Turn on \"Show live metric in menu bar\" in Settings to glance at revenue, sessions, "
             "visitors, or clicks without opening the panel. Pick which metric to display in "
             "Settings.")},
        {QStringLiteral("privacy"), QStringLiteral("lock.shield.fill"), ZingTheme::moneyGreen(),
         QStringLiteral("Where is my data stored?"),
         QStringLiteral(
             "API keys and OAuth tokens stay on your desktop in the system keyring. Zingboard polls "
             "providers directly from your machine \u2014 credentials are never sent to our "
             "servers.")},
        {QStringLiteral("polling"), QStringLiteral("arrow.triangle.2.circlepath"), ZingTheme::inkMuted(),
         QStringLiteral("How often does it check my metrics?"),
         QStringLiteral(
             "By default every 30 seconds. Adjust \"Poll every\u2026\" in Settings (15\u2013120 "
             "seconds). Triggers also respect a short cooldown so you don't get spammed during busy "
             "periods.")},
    };
    return list;
}

QList<std::pair<SoundEffect, QString>> soundPrefixes() {
    QList<std::pair<SoundEffect, QString>> prefixes;
    for (SoundEffect effect : SoundEffects::allCases())
        prefixes.append({effect, SoundClipFiles::prefix(effect)});
    return prefixes;
}

} // namespace HelpCatalog
