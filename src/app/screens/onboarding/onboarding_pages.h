#pragma once

class QWidget;

// The two pages of the onboarding that only inform: the welcome and how Zingboard works.
namespace OnboardingPages {
QWidget* welcome();
// Scrolls when it does not fit.
QWidget* howItWorks();
// A page's title line, shared by the pages after the first.
QWidget* pageTitle(const char* text);
} // namespace OnboardingPages
