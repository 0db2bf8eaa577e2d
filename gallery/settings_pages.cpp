#include "app/components/zing_primary_button.h"
#include "app/components/zing_scroll_area.h"
#include "app/screens/help/faq_question_button.h"
#include "app/screens/help/faq_row.h"
#include "app/screens/help/help_view.h"
#include "app/screens/onboarding/onboarding_try_page.h"
#include "app/screens/onboarding/onboarding_view.h"
#include "app/screens/settings/settings_view.h"
#include "gallery/gallery.h"

#include <QPushButton>

namespace {

// Fixed folders, so the pictures do not depend on who renders them.
const QString kSoundsFolder = QStringLiteral("/home/you/.local/share/Zingboard/Sounds");

QWidget* settings(GalleryFixture& f, bool menuBarMetric) {
    AppSettings s = f.state().settings();
    s.showMenuBarMetric = menuBarMetric;
    s.preferredMenuBarMetric = MetricKind::sessionsToday;
    f.state().setSettings(s);
    return new SettingsView(
        f.state(), f.shell,
        AutostartEntry(QStringLiteral("/nonexistent/autostart"), QStringLiteral("/usr/bin/zingboard")),
        kSoundsFolder);
}

QWidget* onboarding(GalleryFixture& f, int page, std::optional<NotificationStyle> style = std::nullopt,
                    bool fire = false) {
    if (style) {
        AppSettings s = f.state().settings();
        s.notificationStyle = *style;
        f.state().setSettings(s);
    }
    auto* view = new OnboardingView(f.state(), f.shell, [] {});
    for (int i = 0; i < page; ++i)
        view->goNext();
    if (fire)
        view->tryPage()->fireButton()->click();
    return view;
}

} // namespace

ZINGBOARD_GALLERY_AREA(settings) {
    gallery.add({QStringLiteral("settings-window"), QSize(440, 520),
                 [](GalleryFixture& f) { return settings(f, false); }, false});
    gallery.add({QStringLiteral("settings-window-menu-bar-metric"), QSize(440, 520),
                 [](GalleryFixture& f) { return settings(f, true); }, false});
    gallery.add({QStringLiteral("help-tab-entry-open"), QSize(380, 560),
                 [](GalleryFixture& f) {
                     // Scrolled like the panel scrolls its tabs.
                     auto* scroll = new ZingScrollArea;
                     auto* view = new HelpView(f.state(), f.shell, kSoundsFolder);
                     view->rows()[3]->questionButton()->click();
                     scroll->setContent(view);
                     return scroll;
                 },
                 true});
    for (int page = 0; page < 3; ++page) {
        gallery.add({QStringLiteral("onboarding-page-%1").arg(page), QSize(520, 660),
                     [page](GalleryFixture& f) { return onboarding(f, page); }, false});
    }
    const std::pair<NotificationStyle, const char*> styles[] = {
        {NotificationStyle::celebration, "celebration"}, {NotificationStyle::subtle, "subtle"}};
    for (const auto& [style, name] : styles) {
        for (const bool fire : {false, true}) {
            gallery.add({QStringLiteral("onboarding-page-3-%1%2")
                             .arg(QString::fromUtf8(name), fire ? QStringLiteral("-fired") : QString()),
                         QSize(520, 660),
                         [style, fire](GalleryFixture& f) { return onboarding(f, 3, style, fire); }, false});
        }
    }
}
