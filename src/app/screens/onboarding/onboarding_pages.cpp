#include "app/screens/onboarding/onboarding_pages.h"

#include "app/components/provider_logo.h"
#include "app/components/zing_artwork.h"
#include "app/components/zing_capsule_badge.h"
#include "app/components/zing_card.h"
#include "app/components/zing_chip.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_symbols.h"
#include "app/screens/onboarding/onboarding_tile.h"
#include "app/screens/screen_label.h"
#include "model/integration_provider.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* symbol(const QString& name, const QColor& color, int size) {
    auto* label = new QLabel;
    label->setPixmap(ZingSymbols::pixmap(name, color, size, label->devicePixelRatioF()));
    label->setFixedSize(size, size);
    return label;
}

QLabel* emoji(const QString& text, int size) {
    auto* label = new QLabel(text);
    label->setFont(ZingFonts::emoji(size));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QHBoxLayout* row(int spacing) {
    auto* layout = new QHBoxLayout;
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

QWidget* providerStrip() {
    const struct {
        IntegrationProvider provider;
        const char* name;
    } providers[] = {{IntegrationProvider::stripe, "Stripe"},
                     {IntegrationProvider::googleAnalytics, "Google Analytics"},
                     {IntegrationProvider::datafast, "Datafast"},
                     {IntegrationProvider::googleSearchConsole, "Google Search Console"}};
    auto* strip = new QWidget;
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    for (const auto& p : providers) {
        auto* cell = new QWidget;
        auto* column = new QVBoxLayout(cell);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(4);
        column->addWidget(new ProviderLogo(p.provider, 30), 0, Qt::AlignHCenter);
        QLabel* name =
            ScreenLabel::wrapping(QString::fromUtf8(p.name), ZingFonts::rounded(10), ZingTheme::inkMuted());
        name->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        column->addWidget(name);
        layout->addWidget(cell, 1);
    }
    return strip;
}

// A numbered card of the flow: number and symbol, title, then the card's own content.
ZingCard* flowCard(int number, const QString& symbolName, const QString& title) {
    auto* card = new ZingCard;
    auto* head = new QWidget;
    QHBoxLayout* layout = row(8);
    head->setLayout(layout);
    auto* badge = new ZingCapsuleBadge(QString::number(number), ZingTheme::lime());
    layout->addWidget(badge);
    layout->addWidget(symbol(symbolName, ZingTheme::hotPink(), 18));
    layout->addWidget(ScreenLabel::make(title, ZingFonts::rounded(14, QFont::Bold), ZingTheme::ink()));
    layout->addStretch(1);
    head->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    card->addWidget(head);
    return card;
}

// "Goals: ..." with its example: a chip leading with an arrow to the reaction it fires.
QWidget* explanation(const QString& symbolName, const QString& name, const QString& text, const QString& chip,
                     const QString& reaction) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* head = row(6);
    head->addWidget(symbol(symbolName, ZingTheme::lime(), 14));
    head->addWidget(ScreenLabel::make(name, ZingFonts::rounded(12, QFont::Bold), ZingTheme::ink()));
    head->addWidget(ScreenLabel::wrapping(text, ZingFonts::rounded(11), ZingTheme::inkMuted()), 1);
    column->addLayout(head);
    auto* example = row(6);
    auto* exampleChip = new ZingChip(chip);
    exampleChip->setCheckable(false);
    exampleChip->setFocusPolicy(Qt::NoFocus);
    exampleChip->setAttribute(Qt::WA_TransparentForMouseEvents);
    example->addSpacing(20);
    example->addWidget(exampleChip);
    example->addWidget(symbol(QStringLiteral("arrow.right"), ZingTheme::inkMuted(), 12));
    example->addWidget(emoji(reaction, 16));
    example->addStretch(1);
    column->addLayout(example);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return box;
}

QWidget* scrolling(QWidget* content) {
    auto* scroll = new ZingScrollArea;
    scroll->setContent(content);
    return scroll;
}

} // namespace

namespace OnboardingPages {

QWidget* pageTitle(const char* text) {
    QLabel* title =
        ScreenLabel::make(QString::fromUtf8(text), ZingFonts::rounded(22, QFont::Bold), ZingTheme::ink());
    title->setAlignment(Qt::AlignHCenter);
    return title;
}

QWidget* welcome() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(28, 20, 28, 8);
    column->setSpacing(10);
    column->addStretch(1);
    auto* logo = new QLabel;
    logo->setPixmap(ZingArtwork::pixmap(QStringLiteral("Logo"), 96, logo->devicePixelRatioF()));
    logo->setFixedSize(96, 96);
    column->addWidget(logo, 0, Qt::AlignHCenter);
    QLabel* name = ScreenLabel::make(QStringLiteral("Zingboard"), ZingFonts::rounded(30, QFont::Black),
                                     ZingTheme::ink());
    column->addWidget(name, 0, Qt::AlignHCenter);
    QLabel* tagline = ScreenLabel::make(QStringLiteral("Hit a goal. Your desktop reacts."),
                                        ZingFonts::rounded(15, QFont::DemiBold), ZingTheme::lime());
    column->addWidget(tagline, 0, Qt::AlignHCenter);
    column->addSpacing(12);
    column->addWidget(providerStrip());
    column->addSpacing(12);

    auto* examples = row(12);
    auto* goal = new OnboardingTile(QStringLiteral("\U0001F680"), QStringLiteral("$100 goal hit"),
                                    QStringLiteral("Moan"), ZingTheme::electricPurple());
    auto* refund = new OnboardingTile(QStringLiteral("\U0001F595"), QStringLiteral("Stripe refund"),
                                      QStringLiteral("Scream"), ZingTheme::hotPink());
    for (OnboardingTile* tile : {goal, refund}) {
        tile->setDisplayOnly(true);
        examples->addWidget(tile);
    }
    column->addLayout(examples);
    column->addStretch(2);
    return page;
}

QWidget* howItWorks() {
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(24, 18, 24, 12);
    column->setSpacing(12);
    column->addWidget(pageTitle("How it works"));

    ZingCard* connect = flowCard(1, QStringLiteral("link.circle.fill"), QStringLiteral("Connect your stack"));
    connect->addWidget(ScreenLabel::wrapping(
        QStringLiteral(
            "Stripe, GA4, Datafast, or Search Console \u2014 purchases, traffic, SEO, and dozens of "
            "metrics."),
        ZingFonts::rounded(12), ZingTheme::inkMuted()));
    auto* privacy = new QWidget;
    QHBoxLayout* privacyRow = row(6);
    privacy->setLayout(privacyRow);
    privacyRow->addWidget(symbol(QStringLiteral("lock.shield.fill"), ZingTheme::moneyGreen(), 14));
    privacyRow->addWidget(
        ScreenLabel::wrapping(
            QStringLiteral("Keys stay in your system keyring. Zingboard never phones home."),
            ZingFonts::rounded(11, QFont::DemiBold), ZingTheme::moneyGreen()),
        1);
    privacy->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    connect->addWidget(privacy);
    column->addWidget(connect);

    ZingCard* rules = flowCard(2, QStringLiteral("target"), QStringLiteral("Set goals & triggers"));
    rules->addWidget(explanation(QStringLiteral("target"), QStringLiteral("Goals"),
                                 QStringLiteral("Hit a target once \u2014 e.g. $100 revenue today."),
                                 QStringLiteral("$100 today"), QStringLiteral("\U0001F680")));
    rules->addWidget(explanation(QStringLiteral("bolt.fill"), QStringLiteral("Triggers"),
                                 QStringLiteral("Fire on every event \u2014 e.g. each Stripe purchase."),
                                 QStringLiteral("Every refund"), QStringLiteral("\U0001F595")));
    column->addWidget(rules);

    ZingCard* chaos = flowCard(3, QStringLiteral("sparkles"), QStringLiteral("Chaos on your screen"));
    chaos->addWidget(ScreenLabel::wrapping(
        QStringLiteral(
            "Track today's goals on the Live tab \u2014 the progress ring fills as you climb, then you "
            "get zinged when you crush it."),
        ZingFonts::rounded(12), ZingTheme::inkMuted()));
    auto* badges = new QWidget;
    QHBoxLayout* badgeRow = row(6);
    badges->setLayout(badgeRow);
    const std::pair<const char*, QColor> marks[] = {{"Emoji burst", ZingTheme::hotPink()},
                                                    {"Meme sound", ZingTheme::lime()},
                                                    {"On-screen", ZingTheme::electricPurple()},
                                                    {"Live progress", ZingTheme::moneyGreen()}};
    for (const auto& [text, color] : marks)
        badgeRow->addWidget(new ZingCapsuleBadge(QString::fromUtf8(text), color));
    badgeRow->addStretch(1);
    chaos->addWidget(badges);
    column->addWidget(chaos);
    column->addStretch(1);
    return scrolling(content);
}

} // namespace OnboardingPages
