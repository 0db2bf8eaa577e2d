#pragma once

#include "model/goal.h"

#include <QList>
#include <QString>

// The fixed rules of the goal editor: targets, names and suggestions by metric.
namespace GoalEditorRules {

struct TargetRange {
    double minimum = 1;
    double maximum = 1000;
    double step = 1;
};

TargetRange targetRange(MetricKind metric);
QList<double> quickPicks(MetricKind metric);
QList<QString> suggestedEmojis(MetricKind metric);
// The metric itself when the provider offers it, else the provider's first metric.
MetricKind normalisedMetric(IntegrationProvider provider, MetricKind metric);
// "500 search clicks today": target, the metric's name in lower case and, for metrics whose name does not
// say the window, the period. Money targets carry the symbol of `currencyCode`, the currency the goal's
// source reports in.
QString suggestedName(const Goal& goal, const QString& currencyCode);
// The target as the field shows it: a plain decimal number, no exponent, no trailing zeros.
QString targetText(double value);
// A plain decimal number with a point; nothing for anything else (also for inf and nan).
std::optional<double> parseTarget(const QString& text);

// A fresh goal for "Add goal": the first default goal under a new id.
Goal newGoal();
// The goals the empty list's quick-start chips open, in chip order.
QList<Goal> quickStartGoals();

} // namespace GoalEditorRules
