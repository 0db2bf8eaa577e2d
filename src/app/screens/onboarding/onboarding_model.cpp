#include "app/screens/onboarding/onboarding_model.h"

#include "app/screens/onboarding/onboarding_try_catalog.h"
#include "engine/app_state.h"

OnboardingModel::OnboardingModel(AppState& state, std::function<void()> onComplete)
    : m_state(state), m_onComplete(std::move(onComplete)) {}

void OnboardingModel::back() {
    if (canGoBack())
        --m_page;
}

void OnboardingModel::next() {
    if (canGoNext())
        ++m_page;
}

const AppSettings& OnboardingModel::settings() const {
    return m_state.settings();
}

template <typename Edit> void OnboardingModel::update(Edit edit) {
    AppSettings next = m_state.settings();
    edit(next);
    if (next == m_state.settings())
        return;
    m_state.setSettings(next);
    m_state.saveAll();
}

void OnboardingModel::setNotificationStyle(NotificationStyle style) {
    update([&](AppSettings& s) { s.notificationStyle = style; });
}

void OnboardingModel::setReactionAnimationsEnabled(bool enabled) {
    update([&](AppSettings& s) { s.reactionAnimationsEnabled = enabled; });
}

void OnboardingModel::setShowMenuBarMetric(bool shown) {
    update([&](AppSettings& s) { s.showMenuBarMetric = shown; });
}

const QList<OnboardingTrySample>& OnboardingModel::samples() const {
    return OnboardingTryCatalog::samples();
}

const OnboardingTrySample& OnboardingModel::selectedSample() const {
    for (const OnboardingTrySample& sample : samples()) {
        if (sample.id == m_selectedSampleId)
            return sample;
    }
    return samples().first();
}

void OnboardingModel::selectSample(const QString& id) {
    m_selectedSampleId = id;
}

QString OnboardingModel::tryIntroLine() const {
    if (m_state.settings().notificationStyle == NotificationStyle::subtle)
        return QStringLiteral(
            "You picked Subtle \u2014 corner toast, quiet sound. Turn on emoji rain above and "
            "you'll still get the falling emojis across the screen.");
    return QStringLiteral(
        "This is what hits your screen when metrics move. Try a few \u2014 full emoji burst, "
        "meme sound, the works.");
}

void OnboardingModel::fireSelected() {
    const OnboardingTrySample& sample = selectedSample();
    const std::optional<ReactionDetails> details =
        sample.details ? sample.details(m_state.random()) : std::nullopt;
    m_state.fireReaction(sample.reaction, sample.subtitle, details);
    m_lastFiredSampleId = sample.id;
}

QString OnboardingModel::firedMessage() const {
    if (!m_lastFiredSampleId)
        return {};
    // Names the sample that was fired, even when another tile has been selected since.
    QString title = selectedSample().title;
    for (const OnboardingTrySample& sample : samples()) {
        if (sample.id == *m_lastFiredSampleId)
            title = sample.title;
    }
    const QString where = m_state.settings().notificationStyle == NotificationStyle::subtle
                              ? QStringLiteral(" \u2014 look for the corner toast above this window.")
                              : QStringLiteral(" \u2014 check the full-screen burst above this window.");
    return QStringLiteral("Fired ") + title.toLower() + where;
}

void OnboardingModel::finish() {
    AppSettings next = m_state.settings();
    next.hasCompletedOnboarding = true;
    m_state.setSettings(next);
    m_state.saveAll();
    m_state.startPolling();
    if (m_onComplete)
        m_onComplete();
}
