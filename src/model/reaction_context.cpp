#include "model/reaction_context.h"

#include <array>

namespace {

struct ReactionContextInfo {
    ReactionContext context;
    const char* raw;
    const char* stampText;
    const char* stampEmoji;
};

constexpr std::array<ReactionContextInfo, 12> kInfo = {{
    {ReactionContext::purchase, "purchase", "NEW SALE", "\U0001F4B0"},
    {ReactionContext::refund, "refund", "REFUND", "\U0001F4B8"},
    {ReactionContext::goal, "goal", "GOAL HIT", "\U0001F3AF"},
    {ReactionContext::test, "test", "TEST RUN", "\U0001F9EA"},
    {ReactionContext::traffic, "traffic", "TRAFFIC UP", "\U0001F4C8"},
    {ReactionContext::conversion, "conversion", "CONVERTED", "\u26A1"},
    {ReactionContext::seo, "seo", "SEO WIN", "\U0001F50D"},
    {ReactionContext::subscription, "subscription", "SUBSCRIBED", "\U0001F501"},
    {ReactionContext::revenue, "revenue", "REVENUE UP", "\U0001F4C8"},
    {ReactionContext::whale, "whale", "WHALE ALERT", "\U0001F40B"},
    {ReactionContext::dispute, "dispute", "DISPUTE", "\u26A0\uFE0F"},
    {ReactionContext::failed, "failed", "PAYMENT FAILED", "\u274C"},
}};

const ReactionContextInfo& info(ReactionContext context) {
    return kInfo[static_cast<size_t>(context)];
}

} // namespace

namespace ReactionContexts {

const QList<ReactionContext>& allCases() {
    static const QList<ReactionContext> cases = [] {
        QList<ReactionContext> all;
        for (const auto& i : kInfo)
            all.append(i.context);
        return all;
    }();
    return cases;
}

QString rawValue(ReactionContext context) {
    return QString::fromLatin1(info(context).raw);
}

std::optional<ReactionContext> fromRawValue(const QString& raw) {
    for (const auto& i : kInfo) {
        if (raw == QLatin1String(i.raw))
            return i.context;
    }
    return std::nullopt;
}

QString stampText(ReactionContext context) {
    return QString::fromLatin1(info(context).stampText);
}

QString stampEmoji(ReactionContext context) {
    return QString::fromUtf8(info(context).stampEmoji);
}

} // namespace ReactionContexts
