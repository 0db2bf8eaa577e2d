#include "app/screens/panel/menu_bar_panel_view.h"
#include "engine/reaction_details.h"
#include "gallery/gallery.h"
#include "reactions/meme_reaction_overlay.h"

#include <QLinearGradient>
#include <QPainter>
#include <QUuid>

namespace {

// A goal celebration as it stands once its entrance is over, over a stand-in for the desktop.
class CelebrationPage : public QWidget {
public:
    explicit CelebrationPage(const QDateTime& now)
        : m_now(now),
          m_overlay(QUuid::createUuid(), QString::fromUtf8("\U0001F4B0"), QStringLiteral("Goal smashed!"),
                    QStringLiteral("Revenue today passed $1,000"),
                    ReactionDetails::forGoal(MetricKind::revenueToday, 1240, 1000), true, now.addSecs(-3)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient desktop(0, 0, width(), height());
        desktop.setColorAt(0, QColor(0x2B, 0x3A, 0x55));
        desktop.setColorAt(1, QColor(0x1B, 0x1F, 0x2E));
        painter.fillRect(rect(), desktop);
        m_overlay.paint(painter, QRectF(rect()), m_now);
    }

private:
    QDateTime m_now;
    MemeReactionOverlay m_overlay;
};

} // namespace

ZINGBOARD_GALLERY_AREA(desktop) {
    gallery.add({QStringLiteral("panel-dashboard"), QSize(360, 560),
                 [](GalleryFixture& f) {
                     AppSettings settings = AppSettings::defaults();
                     settings.hasCompletedOnboarding = true;
                     settings.demoModeEnabled = true;
                     f.persistence.encodeSettings(settings);
                     f.demo.setStandingMetrics({{MetricKind::revenueToday, 842},
                                                {MetricKind::sessionsToday, 1280},
                                                {MetricKind::activeUsers, 37},
                                                {MetricKind::customers, 212}});
                     [[maybe_unused]] auto polling = f.state().pollOnce();
                     return new MenuBarPanelView(f.state(), f.shell, f.demoSimulator(), f.connectSession());
                 },
                 false});
    gallery.add({QStringLiteral("celebration"), QSize(900, 620),
                 [](GalleryFixture& f) { return new CelebrationPage(f.clock.now()); }, false});
}
