#pragma once

#include <QList>
#include <QWidget>

class OnboardingModel;
class OnboardingTile;
class QLabel;
class ZingPrimaryButton;

// "Feel the chaos": pick a sample and fire it on the real screen.
class OnboardingTryPage final : public QWidget {
    Q_OBJECT
public:
    explicit OnboardingTryPage(OnboardingModel& model, QWidget* parent = nullptr);
    void refresh();

    const QList<OnboardingTile*>& tiles() const { return m_tiles; }
    ZingPrimaryButton* fireButton() const { return m_fire; }
    QLabel* firedLabel() const { return m_fired; }

private:
    OnboardingModel& m_model;
    QLabel* m_intro;
    QList<OnboardingTile*> m_tiles;
    ZingPrimaryButton* m_fire;
    QLabel* m_fired;
};
