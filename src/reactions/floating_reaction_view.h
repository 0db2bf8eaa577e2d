#pragma once

#include "model/notification_style.h"
#include "reactions/emoji_rain_overlay.h"
#include "reactions/meme_reaction_overlay.h"
#include "reactions/overlay_settings.h"
#include "reactions/subtle_reaction_toast.h"

#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

class Clock;
class RandomSource;
class ReactionStore;

// The overlay window's content: every reaction of the store, as celebration cards or corner toasts by
// the live notification style, with their emoji rain. Painted with QPainter; its frame timer runs only
// while something on it moves.
class FloatingReactionView : public QWidget {
    Q_OBJECT
public:
    static constexpr double toastTopMargin = 36;
    static constexpr double toastRightMargin = 20;
    static constexpr double toastSpacing = 10;

    FloatingReactionView(ReactionStore& store, OverlaySettingsSource settings, Clock& clock,
                         RandomSource& random, QWidget* parent = nullptr);
    ~FloatingReactionView() override;

    // Brings the presentations in line with the store and the settings, then starts or stops the timer.
    void sync();
    // Draws everything as it looks at the clock's current moment into `area`.
    void paintOverlay(QPainter& painter, const QRectF& area);
    // One frame of the timer: redraws, and stops the timer once nothing moves.
    void advanceFrame();

    bool isAnimating() const;
    bool isFrameTimerRunning() const { return m_frameTimer.isActive(); }
    int presentationCount() const { return int(m_presentations.size()); }
    // Where the toasts of the subtle style go, top to bottom (for placement checks).
    QList<QRectF> toastRects(const QRectF& area);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Presentation {
        QUuid id;
        NotificationStyle style = NotificationStyle::celebration;
        std::unique_ptr<MemeReactionOverlay> card;
        std::unique_ptr<SubtleReactionToast> toast;
        std::unique_ptr<EmojiRainOverlay> rain;
        // The card's own rain follows the setting that held when the card was built.
        bool rainFollowsLiveSetting = false;
    };

    void updateTimer();

    ReactionStore& m_store;
    OverlaySettingsSource m_settings;
    Clock& m_clock;
    RandomSource& m_random;
    std::vector<Presentation> m_presentations;
    OverlaySettings m_lastSettings;
    QTimer m_frameTimer;
};
