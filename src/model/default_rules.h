#pragma once

#include "model/event_trigger.h"
#include "model/goal.h"

#include <QList>

// The rules a new user starts with, also used when the stored lists cannot be read.
namespace DefaultRules {
// Fresh UUIDs at every call.
QList<Goal> defaultGoals();
QList<EventTrigger> defaultTriggers();
} // namespace DefaultRules
