#pragma once

#include "app/screens/settings/settings_model.h"

#include <QWidget>

class AppState;
class QLabel;
class QPushButton;
class ShellActions;
class ZingMenuPicker;
class ZingStepper;
class ZingSwitch;

// The settings window's content: six sections whose every control writes the settings and saves at once.
class SettingsView final : public QWidget {
    Q_OBJECT
public:
    SettingsView(AppState& state, ShellActions& shell, AutostartEntry autostart, const QString& soundsFolder,
                 QWidget* parent = nullptr);
    // The real autostart folder and sounds folder.
    SettingsView(AppState& state, ShellActions& shell, QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(440, 520); }

    const SettingsModel& model() const { return m_model; }
    ZingMenuPicker* stylePicker() const { return m_style; }
    ZingSwitch* animationsSwitch() const { return m_animations; }
    ZingStepper* durationStepper() const { return m_duration; }
    ZingStepper* pollStepper() const { return m_poll; }
    ZingSwitch* menuBarSwitch() const { return m_menuBar; }
    ZingMenuPicker* metricPicker() const { return m_metric; }
    ZingSwitch* muteSwitch() const { return m_mute; }
    QPushButton* soundTipsButton() const { return m_soundTips; }
    ZingSwitch* demoSwitch() const { return m_demo; }
    ZingSwitch* loginSwitch() const { return m_login; }
    QLabel* loginError() const { return m_loginError; }

private:
    QWidget* notificationsCard();
    QWidget* pollingCard();
    QWidget* menuBarCard();
    QWidget* soundsCard();
    QWidget* demoCard();
    QWidget* aboutCard();
    // Shows the settings as they are now (also after a change made elsewhere, e.g. the demo flag).
    void refresh();

    SettingsModel m_model;
    ShellActions& m_shell;
    ZingMenuPicker* m_style = nullptr;
    QLabel* m_styleCaption = nullptr;
    ZingSwitch* m_animations = nullptr;
    ZingStepper* m_duration = nullptr;
    ZingStepper* m_poll = nullptr;
    ZingSwitch* m_menuBar = nullptr;
    QWidget* m_metricRow = nullptr;
    ZingMenuPicker* m_metric = nullptr;
    ZingSwitch* m_mute = nullptr;
    QPushButton* m_soundTips = nullptr;
    ZingSwitch* m_demo = nullptr;
    ZingSwitch* m_login = nullptr;
    QLabel* m_loginError = nullptr;
};
