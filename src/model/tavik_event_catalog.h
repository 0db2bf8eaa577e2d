#pragma once

#include "model/integration_provider.h"
#include "model/metric_kind.h"
#include "model/tavik_event_definition.h"
#include "model/trigger_event_kind.h"

#include <QList>
#include <QString>
#include <optional>

// The fixed vocabulary behind trigger event kinds: one definition per kind, in the kinds' order.
namespace TavikEventCatalog {
const QList<TavikEventDefinition>& all();
// Every kind has exactly one row.
const TavikEventDefinition& definition(TriggerEventKind kind);
// The first row watching `metric` for `provider`, in catalog order.
std::optional<TriggerEventKind> kind(MetricKind metric, IntegrationProvider provider);
// All rows of `provider`, in catalog order.
QList<TavikEventDefinition> available(IntegrationProvider provider);
// Kind names that older versions stored, mapped to current kinds; current raw values map to themselves.
std::optional<TriggerEventKind> migrateLegacyKind(const QString& text);
} // namespace TavikEventCatalog
