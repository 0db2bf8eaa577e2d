#pragma once

#include "engine/reaction_details.h"
#include "reactions/rain_emoji.h"

#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QUuid>
#include <optional>

class QPainter;
class RandomSource;

// 22 emoji that fall once across the whole window, in about 3.2 seconds.
class EmojiRainOverlay {
public:
    static constexpr int dropCount = 22;
    static constexpr double fallSeconds = 2.4;
    static constexpr double delayStep = 0.04;
    // Every drop has landed by then.
    static constexpr double totalSeconds = (dropCount - 1) * delayStep + fallSeconds;

    struct DropFrame {
        QPointF centre;
        double opacity = 0;

        bool operator==(const DropFrame&) const = default;
    };

    // The drops are drawn from `random` now; the rain starts at `startDate`.
    EmojiRainOverlay(const QUuid& reactionID, const QString& emoji,
                     const std::optional<ReactionDetails>& details, RandomSource& random,
                     const QDateTime& startDate);

    // Draws x, size and drift for each drop in that order, drop after drop.
    static QList<RainEmoji> makeDrops(RandomSource& random);
    // What falls: a symbol per context; the reaction's own emoji for goals, tests and absent details.
    static QString fallingSymbol(const QString& emoji, const std::optional<ReactionDetails>& details);
    // Where a drop is `elapsed` seconds after the rain started on a canvas of `canvas` size; nothing once
    // its fall is over.
    static std::optional<DropFrame> dropFrame(const RainEmoji& drop, double elapsed, QSizeF canvas);

    const QUuid& reactionID() const { return m_reactionID; }
    const QString& symbol() const { return m_symbol; }
    const QList<RainEmoji>& raindrops() const { return m_raindrops; }
    const QDateTime& startDate() const { return m_startDate; }
    void restart(const QDateTime& startDate) { m_startDate = startDate; }

    bool isFinished(const QDateTime& now) const;
    void paint(QPainter& painter, const QRectF& canvas, const QDateTime& now) const;

private:
    QUuid m_reactionID;
    QString m_symbol;
    QList<RainEmoji> m_raindrops;
    QDateTime m_startDate;
};
