#pragma once

#include "engine/reaction_details.h"
#include "model/reaction_config.h"
#include "model/reaction_context.h"
#include "reactions/text_block.h"

#include <QImage>
#include <QWidget>
#include <optional>

// The still picture of a reaction that the goal and trigger editors show as their live preview: a tilted
// stamp for the context over a card with the emoji, the message, the amount, the subtitle, up to two chips
// and the sound pack. As wide as it is given; its height follows the width.
class ReactionPreviewCard final : public QWidget {
    Q_OBJECT
public:
    explicit ReactionPreviewCard(QWidget* parent = nullptr);

    void setReaction(const ReactionConfig& reaction);
    void setContext(ReactionContext context);
    // Empty: no subtitle line.
    void setSubtitle(const QString& subtitle);
    void setDetails(const std::optional<ReactionDetails>& details);

    const ReactionConfig& reaction() const { return m_reaction; }
    ReactionContext context() const { return m_context; }

    // The message as the card sets it for a card `cardWidth` wide: upper-cased, two lines at most, shrunk
    // down to three quarters before it is cut.
    static TextBlock messageBlock(const QString& message, double cardWidth);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Layout;
    Layout layOut(double width) const;
    const QImage& glowingEmoji(qreal ratio);
    void changed();

    ReactionConfig m_reaction;
    ReactionContext m_context = ReactionContext::goal;
    QString m_subtitle;
    std::optional<ReactionDetails> m_details;
    QImage m_glowCache;
    QString m_glowKey;
};
