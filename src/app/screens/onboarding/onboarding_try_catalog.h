#pragma once

#include "app/screens/onboarding/onboarding_try_sample.h"

#include <QList>

namespace OnboardingTryCatalog {
// Goal, purchase and refund, in that order.
const QList<OnboardingTrySample>& samples();
} // namespace OnboardingTryCatalog
