#pragma once

#include "engine/reaction_details.h"

#include <QDateTime>
#include <QImage>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>

class QPainter;

// The quiet presentation of one reaction: a small card that slides in at the top-right corner.
class SubtleReactionToast {
public:
    static constexpr double width = 320;
    static constexpr double slideDistance = 110;
    static constexpr double entranceDelaySeconds = 0.04;
    static constexpr double entranceSeconds = 0.38;
    static constexpr double pulseScale = 1.12;

    struct Entrance {
        double opacity = 0;
        double offset = slideDistance; // points to the right of the resting place

        bool operator==(const Entrance&) const = default;
    };

    // The toast comes on screen at `startDate`.
    SubtleReactionToast(const QString& emoji, const QString& message, const QString& subtitle,
                        const std::optional<ReactionDetails>& details, bool pulseEmoji,
                        const QDateTime& startDate);

    // The amount when there is one, else the message.
    static QString title(const QString& message, const std::optional<ReactionDetails>& details);
    // The line under the title: the message under an amount, else the metric label, else the subtitle.
    static std::optional<QString> detailLine(const QString& message, const QString& subtitle,
                                             const std::optional<ReactionDetails>& details);
    // Fade and slide `seconds` after the toast came on screen.
    static Entrance entrance(double seconds);

    bool pulseEmoji() const { return m_pulseEmoji; }
    const QDateTime& startDate() const { return m_startDate; }
    double emojiScaleAt(const QDateTime& now) const;
    bool isAnimating(const QDateTime& now) const;

    QSizeF size();
    // Draws the toast with its right edge at `topRight` (before the slide offset).
    void paint(QPainter& painter, QPointF topRight, const QDateTime& now);

private:
    struct Picture;
    const Picture& picture(qreal devicePixelRatio);

    QString m_emoji;
    QString m_message;
    QString m_subtitle;
    std::optional<ReactionDetails> m_details;
    bool m_pulseEmoji;
    QDateTime m_startDate;
    std::shared_ptr<Picture> m_picture;
};
