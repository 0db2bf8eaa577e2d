#pragma once

#include "app/screens/onboarding/onboarding_try_sample.h"
#include "model/app_settings.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class AppState;

// The rules of the first-run window: paging, the settings of "Make it yours" (saved at once), the samples
// of "Feel the chaos" and finishing.
class OnboardingModel {
public:
    static constexpr int pageCount = 4;
    static constexpr int lastPage = pageCount - 1;

    // `onComplete` takes the window away; it runs last when the user finishes.
    OnboardingModel(AppState& state, std::function<void()> onComplete);

    int page() const { return m_page; }
    bool canGoBack() const { return m_page > 0; }
    bool canGoNext() const { return m_page < lastPage; }
    // "Let's go" is offered on the last page only.
    bool canFinish() const { return m_page == lastPage; }
    void back();
    void next();

    const AppSettings& settings() const;
    void setNotificationStyle(NotificationStyle style);
    void setReactionAnimationsEnabled(bool enabled);
    void setShowMenuBarMetric(bool shown);

    const QList<OnboardingTrySample>& samples() const;
    const QString& selectedSampleId() const { return m_selectedSampleId; }
    // The sample whose id is selected, or the first one.
    const OnboardingTrySample& selectedSample() const;
    void selectSample(const QString& id);
    // The line at the top of the last page, by notification style.
    QString tryIntroLine() const;
    // Fires the selected sample through the engine, as a real reaction would.
    void fireSelected();
    const std::optional<QString>& lastFiredSampleId() const { return m_lastFiredSampleId; }
    // What was fired and where to look for it; empty until something was fired.
    QString firedMessage() const;

    // Marks onboarding done, saves, starts polling (even with nothing connected) and closes.
    void finish();

private:
    template <typename Edit> void update(Edit edit);

    AppState& m_state;
    std::function<void()> m_onComplete;
    int m_page = 0;
    QString m_selectedSampleId = QStringLiteral("goal");
    std::optional<QString> m_lastFiredSampleId;
};
