#pragma once

#include "engine/reaction_details.h"
#include "reactions/damped_spring.h"

#include <QDateTime>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

class QPainter;

// The celebration card of one reaction: emoji, headline, amount, chips and a tilted stamp, springing in
// when it appears.
class MemeReactionOverlay {
public:
    static constexpr double maxContentWidth = 400;
    static constexpr double padding = 28;
    static constexpr double spacing = 12;
    static constexpr double entranceDelaySeconds = 0.032;
    static constexpr double pulseSeconds = 1.1;
    static constexpr double pulseScale = 1.08;
    static const DampedSpring& entranceSpring();

    // The animated values at one moment.
    struct AnimationState {
        double cardScale = 0.75;
        double cardOpacity = 0;
        double stampRotation = -20;
        double stampOpacity = 0;
        double emojiScale = 1.0;

        bool operator==(const AnimationState&) const = default;
    };

    struct Amount {
        QString text;
        int pixelSize = 48;

        bool operator==(const Amount&) const = default;
    };

    // The card comes on screen at `shownAt`; the entrance runs from there.
    MemeReactionOverlay(const QUuid& reactionID, const QString& emoji, const QString& message,
                        const QString& subtitle, const std::optional<ReactionDetails>& details,
                        bool animationsEnabled, const QDateTime& shownAt);

    // Chip texts in order (metric label for goals, product, plan); absent when there would be none.
    static std::optional<QStringList> detailChips(const std::optional<ReactionDetails>& details);
    // The small accent line under the message, for the contexts that show one.
    static std::optional<QString> metricLabelLine(const std::optional<ReactionDetails>& details);
    static std::optional<Amount> amount(const std::optional<ReactionDetails>& details);
    // Where the stamp comes to rest: refunds lean right, everything else left.
    static double finalStampAngle(const std::optional<ReactionDetails>& details);

    const QUuid& reactionID() const { return m_reactionID; }
    bool animationsEnabled() const { return m_animationsEnabled; }
    AnimationState animationStateAt(const QDateTime& now) const;
    // With animations the card never stands still: the entrance, then the emoji breathes for ever.
    bool isAnimating() const { return m_animationsEnabled; }

    // The card's rectangle (without stamp and shadows) when centred in `window`, at full scale.
    QRectF cardRect(const QRectF& window);
    void paint(QPainter& painter, const QRectF& window, const QDateTime& now);

private:
    struct Picture;
    const Picture& picture(double contentWidth, qreal devicePixelRatio);

    QUuid m_reactionID;
    QString m_emoji;
    QString m_message;
    QString m_subtitle;
    std::optional<ReactionDetails> m_details;
    bool m_animationsEnabled;
    QDateTime m_shownAt;
    std::shared_ptr<Picture> m_picture;
};
