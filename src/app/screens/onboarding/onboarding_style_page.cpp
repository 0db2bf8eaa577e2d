#include "app/screens/onboarding/onboarding_style_page.h"

#include "app/components/zing_card.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_switch.h"
#include "app/components/zing_symbols.h"
#include "app/screens/onboarding/onboarding_model.h"
#include "app/screens/onboarding/onboarding_pages.h"
#include "app/screens/onboarding/onboarding_tile.h"
#include "app/screens/screen_label.h"
#include "app/screens/settings/settings_model.h"
#include "reactions/zing_theme.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QLabel* muted(const QString& text, int size = 11) {
    return ScreenLabel::wrapping(text, ZingFonts::rounded(size), ZingTheme::inkMuted());
}

ZingSwitch* wideSwitch(const QString& text) {
    auto* toggle = new ZingSwitch(text);
    toggle->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return toggle;
}

QWidget* feature(const QString& emoji, const QString& title, const QString& detail) {
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    auto* icon = new QLabel(emoji);
    icon->setFont(ZingFonts::emoji(18));
    icon->setFixedWidth(26);
    icon->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    text->setSpacing(1);
    text->addWidget(ScreenLabel::make(title, ZingFonts::rounded(12, QFont::Bold), ZingTheme::ink()));
    text->addWidget(muted(detail));
    row->addLayout(text, 1);
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return box;
}

} // namespace

OnboardingStylePage::OnboardingStylePage(OnboardingModel& model, QWidget* parent)
    : QWidget(parent), m_model(model),
      m_celebration(new OnboardingTile(QStringLiteral("\U0001F389"), QStringLiteral("Celebration"),
                                       QStringLiteral("Full screen"), ZingTheme::hotPink())),
      m_subtle(new OnboardingTile(QStringLiteral("\U0001F514"), QStringLiteral("Subtle"),
                                  QStringLiteral("Corner toast"), ZingTheme::electricPurple())),
      m_caption(muted(QString())), m_animations(wideSwitch(QStringLiteral("Emoji rain & burst effects"))),
      m_menuBar(wideSwitch(QStringLiteral("Live metric in menu bar"))) {
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(24, 18, 24, 12);
    column->setSpacing(10);
    column->addWidget(OnboardingPages::pageTitle("Make it yours"));
    QLabel* intro =
        muted(QStringLiteral("You'll set emoji + sound when you create goals and triggers. Try your "
                             "style on the next step."),
              12);
    intro->setAlignment(Qt::AlignHCenter);
    column->addWidget(intro);
    QLabel* pitch =
        muted(QStringLiteral("Every goal and trigger gets its own emoji, meme sound, and on-screen "
                             "message. Dial the intensity up or down \u2014 your chaos, your rules."));
    pitch->setAlignment(Qt::AlignHCenter);
    column->addWidget(pitch);

    auto* styleCard = new ZingCard;
    auto* heading = new QWidget;
    auto* headingRow = new QHBoxLayout(heading);
    headingRow->setContentsMargins(0, 0, 0, 0);
    headingRow->setSpacing(6);
    auto* icon = new QLabel;
    icon->setPixmap(ZingSymbols::pixmap(QStringLiteral("sparkle.magnifyingglass"), ZingTheme::lime(), 14,
                                        devicePixelRatioF()));
    headingRow->addWidget(icon);
    headingRow->addWidget(ScreenLabel::make(QStringLiteral("Notification style"),
                                            ZingFonts::rounded(13, QFont::Bold), ZingTheme::ink()));
    headingRow->addStretch(1);
    heading->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    styleCard->addWidget(heading);
    auto* tiles = new QWidget;
    auto* tileRow = new QHBoxLayout(tiles);
    tileRow->setContentsMargins(0, 0, 0, 0);
    tileRow->setSpacing(10);
    auto* group = new QButtonGroup(this);
    for (OnboardingTile* tile : {m_celebration, m_subtle}) {
        group->addButton(tile);
        tileRow->addWidget(tile);
    }
    tiles->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    styleCard->addWidget(tiles);
    styleCard->addWidget(m_caption);
    connect(m_celebration, &QAbstractButton::clicked, this,
            [this] { m_model.setNotificationStyle(NotificationStyle::celebration); });
    connect(m_subtle, &QAbstractButton::clicked, this,
            [this] { m_model.setNotificationStyle(NotificationStyle::subtle); });
    column->addWidget(styleCard);

    auto* switches = new ZingCard;
    switches->addWidget(m_animations);
    switches->addWidget(muted(QStringLiteral(
        "Falling emoji rain and pulsing emoji. Subtle keeps the corner toast but still gets the rain.")));
    switches->addWidget(m_menuBar);
    switches->addWidget(
        muted(QStringLiteral("Glance at revenue, sessions, or clicks without opening the panel.")));
    connect(m_animations, &QAbstractButton::toggled, this,
            [this](bool on) { m_model.setReactionAnimationsEnabled(on); });
    connect(m_menuBar, &QAbstractButton::toggled, this,
            [this](bool on) { m_model.setShowMenuBarMetric(on); });
    column->addWidget(switches);

    auto* features = new ZingCard;
    features->contentLayout()->setSpacing(10);
    features->addWidget(
        feature(QStringLiteral("\u26A1"), QStringLiteral("Quick presets"),
                QStringLiteral("Start from curated combos \u2014 Bag, Moon, Rage \u2014 then tweak "
                               "emoji and sound.")));
    features->addWidget(
        feature(QStringLiteral("\U0001F600"), QStringLiteral("Pick any emoji"),
                QStringLiteral("Choose per goal or trigger \u2014 rockets, middle fingers, whatever "
                               "fits.")));
    features->addWidget(
        feature(QStringLiteral("\U0001F50A"), QStringLiteral("Meme sound packs"),
                QStringLiteral("Moans, screams, cha-chings, airhorns \u2014 preview before you save.")));
    features->addWidget(
        feature(QStringLiteral("\U0001F4AC"), QStringLiteral("Banner message"),
                QStringLiteral("Custom headline on screen: \"Show me the money!\", \"Noooo!\", your "
                               "call.")));
    features->addWidget(
        feature(QStringLiteral("\U0001F4C1"), QStringLiteral("Your own clips"),
                QStringLiteral("Drop MP3 or WAV files into the Sounds folder \u2014 Settings shows the "
                               "path. Name them like moan_clip.mp3 and they override the bundled "
                               "lines.")));
    column->addWidget(features);
    column->addStretch(1);

    auto* scroll = new ZingScrollArea(this);
    scroll->setContent(content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    refresh();
}

void OnboardingStylePage::refresh() {
    const AppSettings& s = m_model.settings();
    m_celebration->setChecked(s.notificationStyle == NotificationStyle::celebration);
    m_subtle->setChecked(s.notificationStyle == NotificationStyle::subtle);
    m_caption->setText(SettingsModel::styleCaption(s.notificationStyle));
    const QSignalBlocker animations(m_animations);
    m_animations->setChecked(s.reactionAnimationsEnabled);
    const QSignalBlocker menuBar(m_menuBar);
    m_menuBar->setChecked(s.showMenuBarMetric);
}
