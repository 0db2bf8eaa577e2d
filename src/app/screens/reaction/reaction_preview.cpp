#include "app/screens/reaction/reaction_preview.h"

namespace ReactionPreview {

double stampAngle(ReactionContext context) {
    return context == ReactionContext::refund ? 5.0 : -4.0;
}

std::optional<QStringList> chips(const std::optional<ReactionDetails>& details) {
    if (!details)
        return std::nullopt;
    QStringList result;
    if (details->productLine)
        result.append(QString::fromUtf8("\U0001F4E6 ") + *details->productLine);
    if (details->planLine)
        result.append(QString::fromUtf8("\U0001F3F7 ") + *details->planLine);
    if (result.isEmpty())
        return std::nullopt;
    return result;
}

QStringList shownChips(const std::optional<QStringList>& chips) {
    return chips ? chips->mid(0, 2) : QStringList();
}

std::optional<QString> amount(const std::optional<ReactionDetails>& details) {
    // formattedAmount() already falls back to the amount line.
    return details ? details->formattedAmount() : std::nullopt;
}

} // namespace ReactionPreview
