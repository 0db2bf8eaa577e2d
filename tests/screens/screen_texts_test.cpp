#include "app/screens/help/help_view.h"
#include "app/screens/onboarding/onboarding_view.h"
#include "app/screens/settings/settings_view.h"
#include "platform_words.h"
#include "screen_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>

namespace {

// Every text a widget tree shows or tells a screen reader, hidden parts included.
QStringList textsOf(QWidget* root) {
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    QStringList texts;
    for (QWidget* w : widgets) {
        texts << w->windowTitle() << w->toolTip() << w->accessibleName() << w->accessibleDescription();
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        }
    }
    texts.removeAll(QString());
    return texts;
}

class ScreenTextsTest : public ScreenTest {};

TEST_F(ScreenTextsTest, NoScreenNamesAnotherPlatform) {
    SettingsView settings(state(), shell, AutostartEntry(scratch.path(), QStringLiteral("/x")),
                          scratch.path());
    HelpView help(state(), shell, scratch.path());
    OnboardingView onboarding(state(), shell, [] {});
    const struct {
        const char* screen;
        QWidget* root;
        const char* expected; // a text the screen is known to show, so an empty walk cannot pass
    } screens[] = {{"settings", &settings, "Open Help tab for sound tips"},
                   {"help", &help, "API keys and OAuth tokens stay on your desktop in the system keyring."},
                   {"onboarding", &onboarding, "Hit a goal. Your desktop reacts."}};
    for (const auto& s : screens) {
        SCOPED_TRACE(s.screen);
        const QStringList texts = textsOf(s.root);
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                [&](const QString& t) { return t.contains(QString::fromUtf8(s.expected)); }));
        for (const QString& text : texts)
            EXPECT_EQ(PlatformWords::foundIn(text), QStringList()) << text.toStdString();
    }
}

} // namespace
