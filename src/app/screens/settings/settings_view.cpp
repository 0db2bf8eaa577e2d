#include "app/screens/settings/settings_view.h"

#include "app/components/zing_artwork.h"
#include "app/components/zing_card.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_menu_picker.h"
#include "app/components/zing_panel_background.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_section_header.h"
#include "app/components/zing_stepper.h"
#include "app/components/zing_switch.h"
#include "app/screens/screen_label.h"
#include "app/shell/shell_actions.h"
#include "engine/app_state.h"
#include "reactions/sound_locations.h"
#include "reactions/zing_theme.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <vector>

namespace {

QLabel* caption(const QString& text) {
    return ScreenLabel::wrapping(text, ZingFonts::rounded(11), ZingTheme::inkMuted());
}

// A title on the left and a control on the right.
QWidget* labelledRow(const QString& title, QWidget* control) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QLabel* label = ScreenLabel::make(title, ZingFonts::rounded(12), ZingTheme::ink());
    label->setBuddy(control);
    layout->addWidget(label);
    layout->addStretch(1);
    layout->addWidget(control);
    control->setAccessibleName(title);
    row->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return row;
}

// A switch as wide as its card, so its text sits on the left and the track on the right.
ZingSwitch* wideSwitch(const QString& text) {
    auto* toggle = new ZingSwitch(text);
    toggle->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return toggle;
}

QWidget* section(const QString& title, QWidget* card) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(new ZingSectionHeader(title));
    layout->addWidget(card);
    return box;
}

} // namespace

SettingsView::SettingsView(AppState& state, ShellActions& shell, QWidget* parent)
    : SettingsView(state, shell, AutostartEntry::standard(), SoundLocations::standard().customFolder,
                   parent) {}

SettingsView::SettingsView(AppState& state, ShellActions& shell, AutostartEntry autostart,
                           const QString& soundsFolder, QWidget* parent)
    : QWidget(parent), m_model(state, std::move(autostart), soundsFolder), m_shell(shell) {
    auto* background = new ZingPanelBackground(this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(background);
    auto* scroll = new ZingScrollArea(background);
    auto* backgroundLayout = new QVBoxLayout(background);
    backgroundLayout->setContentsMargins(0, 0, 0, 0);
    backgroundLayout->addWidget(scroll);

    QWidget* content = scroll->makeContent();
    auto* column = qobject_cast<QVBoxLayout*>(content->layout());
    column->setContentsMargins(18, 16, 18, 18);
    column->setSpacing(14);
    column->addWidget(section(QStringLiteral("Notifications"), notificationsCard()));
    column->addWidget(section(QStringLiteral("Polling"), pollingCard()));
    column->addWidget(section(QStringLiteral("Menu bar"), menuBarCard()));
    column->addWidget(section(QStringLiteral("Meme sounds"), soundsCard()));
    column->addWidget(section(QStringLiteral("Demo"), demoCard()));
    column->addWidget(section(QStringLiteral("About"), aboutCard()));
    column->addStretch(1);

    refresh();
    connect(&state, &AppState::settingsChanged, this, &SettingsView::refresh);

    // Every change is already saved, so Escape simply closes the window.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    close->setContext(Qt::WidgetWithChildrenShortcut);
    connect(close, &QShortcut::activated, this, [this] { window()->close(); });
}

QWidget* SettingsView::notificationsCard() {
    auto* card = new ZingCard;
    m_style = new ZingMenuPicker;
    for (NotificationStyle style : NotificationStyles::allCases())
        m_style->addItem(NotificationStyles::title(style), QVariant::fromValue(int(style)));
    card->addWidget(labelledRow(QStringLiteral("Style"), m_style));
    m_styleCaption = caption(QString());
    card->addWidget(m_styleCaption);
    connect(m_style, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            m_model.setNotificationStyle(NotificationStyles::allCases().value(index));
    });

    m_animations = wideSwitch(QStringLiteral("Emoji rain & burst effects"));
    card->addWidget(m_animations);
    card->addWidget(caption(QStringLiteral(
        "Falling emoji rain, pulsing emoji, stamp pop on the celebration card. Subtle style keeps the corner "
        "toast but still gets the rain when this is on.")));
    connect(m_animations, &QAbstractButton::toggled, this,
            [this](bool on) { m_model.setReactionAnimationsEnabled(on); });

    const StepperRange& range = SettingsModel::durationRange();
    m_duration = new ZingStepper(range.minimum, range.maximum, range.step);
    // The label shows the stored value, which may lie outside the range until the first step.
    m_duration->setLabelFormat(
        [this](double) { return SettingsModel::durationLabel(m_model.settings().reactionDurationSeconds); });
    m_duration->setValue(m_model.settings().reactionDurationSeconds);
    connect(m_duration, &ZingStepper::valueChanged, this,
            [this](double value) { m_model.setReactionDurationSeconds(value); });
    card->addWidget(m_duration);
    return card;
}

QWidget* SettingsView::pollingCard() {
    auto* card = new ZingCard;
    const StepperRange& range = SettingsModel::pollRange();
    m_poll = new ZingStepper(range.minimum, range.maximum, range.step);
    m_poll->setLabelFormat(
        [this](double) { return SettingsModel::pollLabel(m_model.settings().pollIntervalSeconds); });
    m_poll->setValue(m_model.settings().pollIntervalSeconds);
    connect(m_poll, &ZingStepper::valueChanged, this,
            [this](double value) { m_model.setPollIntervalSeconds(value); });
    card->addWidget(m_poll);
    return card;
}

QWidget* SettingsView::menuBarCard() {
    auto* card = new ZingCard;
    m_menuBar = wideSwitch(QStringLiteral("Show live metric in menu bar"));
    card->addWidget(m_menuBar);
    connect(m_menuBar, &QAbstractButton::toggled, this,
            [this](bool on) { m_model.setShowMenuBarMetric(on); });

    m_metric = new ZingMenuPicker;
    for (const auto& [kind, title] : SettingsModel::metricChoices())
        m_metric->addItem(title, QVariant::fromValue(int(kind)));
    m_metricRow = labelledRow(QStringLiteral("Metric"), m_metric);
    card->addWidget(m_metricRow);
    connect(m_metric, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && index < SettingsModel::metricChoices().size())
            m_model.setPreferredMenuBarMetric(SettingsModel::metricChoices()[index].first);
    });
    return card;
}

QWidget* SettingsView::soundsCard() {
    auto* card = new ZingCard;
    m_mute = wideSwitch(QStringLiteral("Mute sounds"));
    card->addWidget(m_mute);
    connect(m_mute, &QAbstractButton::toggled, this, [this](bool on) { m_model.setSoundsMuted(on); });
    card->addWidget(
        caption(QStringLiteral("Bundled parody voice lines (Show me the money, Noooo, To the moon, "
                               "etc.). Drop your own movie clips as MP3/WAV into:")));
    QLabel* folder = ScreenLabel::wrapping(QDir::toNativeSeparators(m_model.soundsFolder()),
                                           ZingFonts::rounded(10), ZingTheme::lime());
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    folder->setAccessibleName(QStringLiteral("Sounds folder"));
    card->addWidget(folder);
    card->addWidget(
        caption(QStringLiteral("Name files like moan_clip.mp3, scream_vader.wav, cha_ching_wolf.mp3")));
    auto* tips = new ZingSecondaryButton(QStringLiteral("Open Help tab for sound tips"));
    tips->setSymbol(QStringLiteral("questionmark.circle"));
    m_soundTips = tips;
    connect(tips, &QPushButton::clicked, this, [this] { m_shell.showPopover(MenuTab::help); });
    card->addWidget(tips);
    return card;
}

QWidget* SettingsView::demoCard() {
    auto* card = new ZingCard;
    m_demo = wideSwitch(QStringLiteral("Demo mode"));
    card->addWidget(m_demo);
    connect(m_demo, &QAbstractButton::toggled, this, [this](bool on) { m_model.setDemoModeEnabled(on); });
    return card;
}

QWidget* SettingsView::aboutCard() {
    auto* card = new ZingCard;
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto* logo = new QLabel;
    logo->setPixmap(ZingArtwork::pixmap(QStringLiteral("Logo"), 48, devicePixelRatioF()));
    logo->setFixedSize(48, 48);
    layout->addWidget(logo);
    QLabel* line = caption(SettingsModel::aboutLine(QStringLiteral(ZINGBOARD_VERSION)));
    line->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(line, 1);
    row->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    card->addWidget(row);

    m_login = wideSwitch(QStringLiteral("Open Zingboard at login"));
    card->addWidget(m_login);
    m_loginError = ScreenLabel::wrapping(QString(), ZingFonts::rounded(11), ZingTheme::warning());
    m_loginError->hide();
    card->addWidget(m_loginError);
    connect(m_login, &QAbstractButton::toggled, this, [this](bool on) {
        const std::optional<QString> error = m_model.setOpensAtLogin(on);
        m_loginError->setText(error.value_or(QString()));
        m_loginError->setVisible(error.has_value());
        // The switch tells what is on disk, also when writing failed.
        const QSignalBlocker blocker(m_login);
        m_login->setChecked(m_model.opensAtLogin());
    });
    return card;
}

void SettingsView::refresh() {
    const AppSettings& s = m_model.settings();
    {
        const QSignalBlocker blocker(m_style);
        m_style->setCurrentIndex(int(NotificationStyles::allCases().indexOf(s.notificationStyle)));
    }
    m_styleCaption->setText(SettingsModel::styleCaption(s.notificationStyle));
    const QList<QWidget*> controls = {m_animations, m_duration, m_poll, m_menuBar,
                                      m_metric,     m_mute,     m_demo, m_login};
    std::vector<QSignalBlocker> blockers;
    for (QWidget* control : controls)
        blockers.emplace_back(control);
    m_animations->setChecked(s.reactionAnimationsEnabled);
    m_duration->setValue(s.reactionDurationSeconds);
    m_duration->update();
    m_poll->setValue(s.pollIntervalSeconds);
    m_poll->update();
    m_menuBar->setChecked(s.showMenuBarMetric);
    m_metricRow->setVisible(m_model.isMetricPickerVisible());
    m_metric->setCurrentIndex(m_model.selectedMetricIndex().value_or(-1));
    m_mute->setChecked(s.soundsMuted);
    m_demo->setChecked(m_model.demoModeEnabled());
    m_login->setChecked(m_model.opensAtLogin());
}
