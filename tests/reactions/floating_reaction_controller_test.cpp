#include "engine/reaction_store.h"
#include "overlay_test_support.h"
#include "reactions/floating_reaction_controller.h"
#include "reactions/floating_reaction_view.h"
#include "support/fake_clock.h"
#include "support/scripted_random_source.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <chrono>
#include <gtest/gtest.h>

using namespace overlay_test;

namespace {

struct Fixture {
    FakeClock clock;
    ScriptedRandomSource random;
    ReactionStore store{clock};
    OverlaySettings settings;
    FloatingReactionController controller{store, [this] { return settings; }, clock, random};

    Fixture() { controller.attach(); }
    void fire(double seconds, const std::optional<ReactionDetails>& details = std::nullopt) {
        store.append(config(QString::fromUtf8("\U0001F389"), QStringLiteral("Yes")), QString(), details,
                     seconds);
    }
};

TEST(FloatingReactionController, NoWindowUntilTheFirstReaction) {
    Fixture f;
    EXPECT_EQ(f.controller.overlayWindow(), nullptr);
    f.fire(5);
    FloatingReactionView* window = f.controller.overlayWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    // Covers the primary screen, lets clicks through and never takes focus.
    EXPECT_EQ(window->geometry(), QGuiApplication::primaryScreen()->geometry());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(window->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_TRUE(window->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_FALSE(window->isActiveWindow());
}

TEST(FloatingReactionController, HidesAfterTheLastReactionAndReusesTheWindow) {
    Fixture f;
    f.fire(3);
    f.clock.advanceSeconds(1);
    f.fire(3);
    FloatingReactionView* window = f.controller.overlayWindow();
    EXPECT_EQ(window->presentationCount(), 2);
    // The first one goes after its own 3 s; the window stays for the second.
    f.clock.advanceSeconds(2);
    EXPECT_EQ(window->presentationCount(), 1);
    EXPECT_TRUE(window->isVisible());
    f.clock.advanceSeconds(1);
    EXPECT_EQ(window->presentationCount(), 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->isFrameTimerRunning());
    // Shown again for the next reaction, same window.
    f.fire(3);
    EXPECT_EQ(f.controller.overlayWindow(), window);
    EXPECT_TRUE(window->isVisible());
}

TEST(FloatingReactionController, FrameTimerRunsOnlyWhileSomethingMoves) {
    using std::chrono::milliseconds;
    struct Case {
        const char* name;
        OverlaySettings settings;
        int stillAfterMs; // negative: moves until removed
    };
    const QList<Case> cases = {
        {"card without animations is still at once", {NotificationStyle::celebration, false}, 0},
        {"toast without animations stops after its slide", {NotificationStyle::subtle, false}, 420},
        {"card with animations breathes until removed", {NotificationStyle::celebration, true}, -1},
        {"toast with animations breathes until removed", {NotificationStyle::subtle, true}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f;
        f.settings = c.settings;
        f.fire(10);
        FloatingReactionView* window = f.controller.overlayWindow();
        if (c.stillAfterMs == 0) {
            EXPECT_FALSE(window->isFrameTimerRunning());
            continue;
        }
        EXPECT_TRUE(window->isFrameTimerRunning());
        if (c.stillAfterMs > 0) {
            f.clock.advance(milliseconds(c.stillAfterMs - 16));
            window->advanceFrame();
            EXPECT_TRUE(window->isFrameTimerRunning());
            f.clock.advance(milliseconds(16));
            window->advanceFrame();
            EXPECT_FALSE(window->isFrameTimerRunning());
        } else {
            f.clock.advance(milliseconds(9000));
            window->advanceFrame();
            EXPECT_TRUE(window->isFrameTimerRunning());
            // Removal of the last reaction stops it without another frame.
            f.clock.advance(milliseconds(1000));
            EXPECT_FALSE(window->isFrameTimerRunning());
        }
    }
}

TEST(FloatingReactionController, TimerStopsWhenTheSubtleRainEnds) {
    Fixture f;
    f.settings = {NotificationStyle::subtle, true};
    f.fire(30);
    FloatingReactionView* window = f.controller.overlayWindow();
    // Animations switched off while the rain falls: the rain goes, and a toast built from now on does
    // not breathe, so the frames stop once its slide is over. The first toast keeps the setting it was
    // built with and breathes on.
    f.settings.reactionAnimationsEnabled = false;
    f.controller.settingsChanged();
    EXPECT_TRUE(window->isFrameTimerRunning());
    f.clock.advance(std::chrono::milliseconds(5000));
    window->advanceFrame();
    EXPECT_TRUE(window->isFrameTimerRunning());

    // With only a quiet toast and no rain the timer stops after the slide-in.
    Fixture quiet;
    quiet.settings = {NotificationStyle::subtle, true};
    quiet.fire(30);
    quiet.settings.reactionAnimationsEnabled = false;
    quiet.settings.notificationStyle = NotificationStyle::celebration;
    quiet.controller.settingsChanged();
    quiet.settings.notificationStyle = NotificationStyle::subtle;
    quiet.controller.settingsChanged();
    FloatingReactionView* quietWindow = quiet.controller.overlayWindow();
    EXPECT_TRUE(quietWindow->isFrameTimerRunning());
    quiet.clock.advance(std::chrono::milliseconds(3300));
    quietWindow->advanceFrame();
    EXPECT_FALSE(quietWindow->isFrameTimerRunning());
}

QImage renderWindow(FloatingReactionView& view) {
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    view.paintOverlay(painter, QRectF(QPointF(0, 0), view.size()));
    return image;
}

int opaqueIn(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += qAlpha(image.pixel(x, y)) > 200;
    return count;
}

TEST(FloatingReactionController, CelebrationSwitchedToSubtleWhileOnScreen) {
    Fixture f;
    f.settings = {NotificationStyle::celebration, false};
    f.fire(30, purchaseDetails());
    f.clock.advanceSeconds(1);
    FloatingReactionView* window = f.controller.overlayWindow();
    const QSize size = window->size();
    const QRect centre(size.width() / 2 - 40, size.height() / 2 - 40, 80, 80);
    const QRect corner(size.width() - 200, 40, 150, 40);
    QImage before = renderWindow(*window);
    EXPECT_GT(opaqueIn(before, centre), 3000);
    EXPECT_EQ(opaqueIn(before, corner), 0);

    f.settings.notificationStyle = NotificationStyle::subtle;
    f.controller.settingsChanged();
    f.clock.advanceSeconds(1); // let the toast slide in
    QImage after = renderWindow(*window);
    EXPECT_EQ(opaqueIn(after, centre), 0);
    EXPECT_GT(opaqueIn(after, corner), 3000);
    EXPECT_EQ(window->toastRects(QRectF(window->rect())).size(), 1);

    // And back: a fresh card, with its entrance from the start.
    f.settings.notificationStyle = NotificationStyle::celebration;
    f.settings.reactionAnimationsEnabled = true;
    f.controller.settingsChanged();
    EXPECT_EQ(opaqueIn(renderWindow(*window), centre), 0); // 0 ms into the entrance: not yet visible
    f.clock.advanceSeconds(1.5);
    EXPECT_GT(opaqueIn(renderWindow(*window), centre), 3000);
}

TEST(FloatingReactionController, FramePicksUpAStyleChangeNobodyAnnounced) {
    Fixture f;
    f.settings = {NotificationStyle::celebration, true};
    f.fire(30);
    FloatingReactionView* window = f.controller.overlayWindow();
    f.settings.notificationStyle = NotificationStyle::subtle;
    window->advanceFrame();
    EXPECT_EQ(window->toastRects(QRectF(window->rect())).size(), 1);
}

} // namespace
