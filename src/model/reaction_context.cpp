#include "model/reaction_context.h"

#include <array>

namespace {

struct ReactionContextInfo {
    ReactionContext context;
    const char* stampText;
    const char* stampEmoji;
};

constexpr std::array<ReactionContextInfo, 12> kInfo = {{
    {ReactionContext::purchase, "NEW SALE", "\U0001F4B0"},
    {ReactionContext::refund, "REFUND", "\U0001F4B8"},
    {ReactionContext::goal, "GOAL HIT", "\U0001F3AF"},
    {ReactionContext::test, "TEST RUN", "\U0001F9EA"},
    {ReactionContext::traffic, "TRAFFIC UP", "\U0001F4C8"},
    {ReactionContext::conversion, "CONVERTED", "\u26A1"},
    {ReactionContext::seo, "SEO WIN", "\U0001F50D"},
    {ReactionContext::subscription, "SUBSCRIBED", "\U0001F501"},
    {ReactionContext::revenue, "REVENUE UP", "\U0001F4C8"},
    {ReactionContext::whale, "WHALE ALERT", "\U0001F40B"},
    {ReactionContext::dispute, "DISPUTE", "\u26A0\uFE0F"},
    {ReactionContext::failed, "PAYMENT FAILED", "\u274C"},
}};
static_assert(EnumNames::rowsInDeclarationOrder(kInfo, &ReactionContextInfo::context));

const ReactionContextInfo& info(ReactionContext context) {
    return kInfo[static_cast<size_t>(context)];
}

} // namespace

namespace ReactionContexts {

QString stampText(ReactionContext context) {
    return QString::fromLatin1(info(context).stampText);
}

QString stampEmoji(ReactionContext context) {
    return QString::fromUtf8(info(context).stampEmoji);
}

} // namespace ReactionContexts
