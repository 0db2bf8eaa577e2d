#include "reactions/reaction_accent.h"

#include "model/reaction_context.h"

namespace ReactionAccent {

namespace {
QColor seoBlue() {
    return ZingTheme::rgb(0.35, 0.75, 1.0);
}
} // namespace

QColor accent(const std::optional<ReactionDetails>& details) {
    return accent(details ? details->context : ReactionContext::goal);
}

ZingGradient accentGradient(const std::optional<ReactionDetails>& details) {
    return accentGradient(details ? details->context : ReactionContext::goal);
}

QColor accent(ReactionContext context) {
    switch (context) {
    case ReactionContext::purchase:
    case ReactionContext::revenue:
    case ReactionContext::whale:
        return ZingTheme::moneyGreen();
    case ReactionContext::refund:
    case ReactionContext::dispute:
        return ZingTheme::refundRed();
    case ReactionContext::test:
        return ZingTheme::hotPink();
    case ReactionContext::traffic:
        return ZingTheme::lime();
    case ReactionContext::seo:
        return seoBlue();
    case ReactionContext::failed:
        return ZingTheme::warning();
    case ReactionContext::goal:
    case ReactionContext::conversion:
    case ReactionContext::subscription:
        return ZingTheme::electricPurple();
    }
    return ZingTheme::electricPurple();
}

ZingGradient accentGradient(ReactionContext context) {
    switch (context) {
    case ReactionContext::purchase:
    case ReactionContext::traffic:
    case ReactionContext::revenue:
    case ReactionContext::whale:
        return ZingTheme::moneyGradient();
    case ReactionContext::refund:
    case ReactionContext::dispute:
    case ReactionContext::failed:
        return ZingTheme::refundGradient();
    case ReactionContext::seo:
        return {seoBlue(), ZingTheme::electricPurple(), QPointF(0, 0.5), QPointF(1, 0.5)};
    case ReactionContext::goal:
    case ReactionContext::test:
    case ReactionContext::conversion:
    case ReactionContext::subscription:
        return ZingTheme::heroGradient();
    }
    return ZingTheme::heroGradient();
}

QString stampEmoji(const std::optional<ReactionDetails>& details) {
    return ReactionContexts::stampEmoji(details ? details->context : ReactionContext::goal);
}

QString stampText(const std::optional<ReactionDetails>& details) {
    return ReactionContexts::stampText(details ? details->context : ReactionContext::goal);
}

} // namespace ReactionAccent
