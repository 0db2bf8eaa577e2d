#include "app/screens/triggers/trigger_editor_rules.h"

#include "model/default_rules.h"
#include "model/tavik_event_catalog.h"

#include <cmath>

namespace TriggerEditorRules {

QList<QString> suggestedEmojis(ReactionContext context) {
    const char* row = nullptr;
    switch (context) {
    case ReactionContext::purchase:
        row = "\U0001F4B0 \U0001F680 \U0001F911 \U0001F451 \U0001F525 \U0001F389";
        break;
    case ReactionContext::refund:
        row = "\U0001F595 \U0001F4B8 \U0001F62D \U0001F6A8 \U0001F480 \U0001F631";
        break;
    case ReactionContext::traffic:
        row = "\U0001F4C8 \U0001F680 \U0001F440 \U0001F525 \U0001F4CA \u26A1";
        break;
    case ReactionContext::conversion:
        row = "\U0001F3AF \U0001F3C6 \U0001F4AA \U0001F389 \u2728 \U0001F911";
        break;
    case ReactionContext::seo:
        row = "\U0001F50D \U0001F441 \U0001F4C8 \U0001F310 \U0001F517 \u2B50\uFE0F";
        break;
    case ReactionContext::subscription:
        row = "\U0001F501 \U0001F195 \U0001F4C5 \U0001F4B3 \U0001F3AF \u2728";
        break;
    case ReactionContext::revenue:
        row = "\U0001F4B0 \U0001F4C8 \U0001F911 \U0001F4B5 \U0001F3E6 \u2728";
        break;
    default:
        row = "\U0001F389 \U0001F525 \u26A1 \U0001F4AF \U0001F680 \U0001F440";
        break;
    }
    return QString::fromUtf8(row).split(QLatin1Char(' '));
}

TriggerEventKind normalisedKind(IntegrationProvider provider, TriggerEventKind kind) {
    const QList<TavikEventDefinition> offered = TavikEventCatalog::available(provider);
    for (const TavikEventDefinition& definition : offered) {
        if (definition.kind == kind)
            return kind;
    }
    return offered.isEmpty() ? kind : offered.first().kind;
}

QString catalogCountText() {
    return QStringLiteral("%1 event types across all providers.").arg(TavikEventCatalog::all().size());
}

QString cooldownText(double seconds) {
    return QStringLiteral("%1s between fires").arg(std::lround(seconds));
}

EventTrigger newTrigger() {
    return DefaultRules::defaultTriggers().first();
}

} // namespace TriggerEditorRules
