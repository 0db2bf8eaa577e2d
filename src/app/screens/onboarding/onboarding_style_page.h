#pragma once

#include <QWidget>

class OnboardingModel;
class OnboardingTile;
class QLabel;
class ZingSwitch;

// "Make it yours": the notification style, the two switches and what every reaction can be made of. Every
// change is saved at once.
class OnboardingStylePage final : public QWidget {
    Q_OBJECT
public:
    explicit OnboardingStylePage(OnboardingModel& model, QWidget* parent = nullptr);
    // Shows the settings as they are now.
    void refresh();

    OnboardingTile* celebrationTile() const { return m_celebration; }
    OnboardingTile* subtleTile() const { return m_subtle; }
    ZingSwitch* animationsSwitch() const { return m_animations; }
    ZingSwitch* menuBarSwitch() const { return m_menuBar; }

private:
    OnboardingModel& m_model;
    OnboardingTile* m_celebration;
    OnboardingTile* m_subtle;
    QLabel* m_caption;
    ZingSwitch* m_animations;
    ZingSwitch* m_menuBar;
};
