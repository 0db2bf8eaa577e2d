#pragma once

#include "reactions/overlay_settings.h"

#include <QObject>
#include <QPointer>

class Clock;
class FloatingReactionView;
class RandomSource;
class ReactionStore;

// Owns the overlay window: created on first need and then reused, brought to the front (without taking
// focus) whenever a reaction is about to appear or present, hidden when the store empties.
class FloatingReactionController : public QObject {
    Q_OBJECT
public:
    FloatingReactionController(ReactionStore& store, OverlaySettingsSource settings, Clock& clock,
                               RandomSource& random, QObject* parent = nullptr);
    ~FloatingReactionController() override;

    // Installs the store's will-append hook and follows its list.
    void attach();
    // Call when the notification style or the animation setting changes, so the window switches at once.
    void settingsChanged();

    // Absent until the first reaction needs it.
    FloatingReactionView* overlayWindow() const { return m_window; }

    // Creates the window when needed, shows it in front and draws its first frame now.
    void bringToFront();

private:
    void reactionsChanged();
    bool createWindow();

    ReactionStore& m_store;
    OverlaySettingsSource m_settings;
    Clock& m_clock;
    RandomSource& m_random;
    QPointer<FloatingReactionView> m_window;
};
