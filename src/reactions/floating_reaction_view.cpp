#include "reactions/floating_reaction_view.h"

#include "engine/reaction_store.h"
#include "model/clock.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {
int frameIntervalMs(const QScreen* screen) {
    const double rate = screen && screen->refreshRate() > 1 ? screen->refreshRate() : 60.0;
    return std::max(1, int(std::lround(1000.0 / rate)));
}
} // namespace

FloatingReactionView::FloatingReactionView(ReactionStore& store, OverlaySettingsSource settings, Clock& clock,
                                           RandomSource& random, QWidget* parent)
    : QWidget(parent), m_store(store), m_settings(std::move(settings)), m_clock(clock), m_random(random) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &FloatingReactionView::advanceFrame);
    connect(&m_store, &ReactionStore::reactionsChanged, this, &FloatingReactionView::sync);
}

FloatingReactionView::~FloatingReactionView() = default;

void FloatingReactionView::sync() {
    const OverlaySettings settings = m_settings ? m_settings() : OverlaySettings{};
    m_lastSettings = settings;
    const QDateTime now = m_clock.now();

    std::vector<Presentation> next;
    for (const ActiveReaction& reaction : m_store.reactions()) {
        auto existing =
            std::find_if(m_presentations.begin(), m_presentations.end(), [&](const Presentation& p) {
                return p.id == reaction.id && p.style == settings.notificationStyle;
            });
        if (existing != m_presentations.end()) {
            // A reaction that stays keeps its animation state; only the subtle rain follows the live setting.
            if (existing->rainFollowsLiveSetting) {
                if (!settings.reactionAnimationsEnabled)
                    existing->rain.reset();
                else if (!existing->rain)
                    existing->rain = std::make_unique<EmojiRainOverlay>(reaction.id, reaction.config.emoji,
                                                                        reaction.details, m_random, now);
            }
            next.push_back(std::move(*existing));
            continue;
        }
        Presentation p;
        p.id = reaction.id;
        p.style = settings.notificationStyle;
        const bool animate = settings.reactionAnimationsEnabled;
        if (p.style == NotificationStyle::celebration) {
            p.card = std::make_unique<MemeReactionOverlay>(reaction.id, reaction.config.emoji,
                                                           reaction.config.message, reaction.subtitle,
                                                           reaction.details, animate, now);
        } else {
            p.toast =
                std::make_unique<SubtleReactionToast>(reaction.config.emoji, reaction.config.message,
                                                      reaction.subtitle, reaction.details, animate, now);
            p.rainFollowsLiveSetting = true;
        }
        if (animate)
            p.rain = std::make_unique<EmojiRainOverlay>(reaction.id, reaction.config.emoji, reaction.details,
                                                        m_random, now);
        next.push_back(std::move(p));
    }
    m_presentations = std::move(next);
    update();
    updateTimer();
}

bool FloatingReactionView::isAnimating() const {
    const QDateTime now = m_clock.now();
    for (const Presentation& p : m_presentations) {
        if (p.card && p.card->isAnimating())
            return true;
        if (p.toast && p.toast->isAnimating(now))
            return true;
        if (p.rain && !p.rain->isFinished(now))
            return true;
    }
    return false;
}

void FloatingReactionView::updateTimer() {
    if (isAnimating()) {
        m_frameTimer.setInterval(frameIntervalMs(screen() ? screen() : QGuiApplication::primaryScreen()));
        if (!m_frameTimer.isActive())
            m_frameTimer.start();
    } else {
        m_frameTimer.stop();
    }
}

void FloatingReactionView::advanceFrame() {
    // The style may have changed without anyone telling us; the frame picks it up.
    if (m_settings && m_settings() != m_lastSettings) {
        sync();
        return;
    }
    update();
    updateTimer();
}

QList<QRectF> FloatingReactionView::toastRects(const QRectF& area) {
    QList<QRectF> rects;
    double y = area.top() + toastTopMargin;
    const double right = area.right() - toastRightMargin;
    for (Presentation& p : m_presentations) {
        if (!p.toast)
            continue;
        const QSizeF size = p.toast->size();
        rects.append(QRectF(QPointF(right - size.width(), y), size));
        y += size.height() + toastSpacing;
    }
    return rects;
}

void FloatingReactionView::paintOverlay(QPainter& painter, const QRectF& area) {
    const QDateTime now = m_clock.now();
    painter.setRenderHint(QPainter::Antialiasing);
    // Cards and their rain interleave so a later card covers an earlier card's rain; all rains of the
    // subtle style lie under the column of toasts.
    for (Presentation& p : m_presentations) {
        if (p.rain)
            p.rain->paint(painter, area, now);
        if (p.card)
            p.card->paint(painter, area, now);
    }
    double y = area.top() + toastTopMargin;
    const double right = area.right() - toastRightMargin;
    for (Presentation& p : m_presentations) {
        if (!p.toast)
            continue;
        p.toast->paint(painter, QPointF(right, y), now);
        y += p.toast->size().height() + toastSpacing;
    }
}

void FloatingReactionView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(event->rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setClipRegion(event->region());
    paintOverlay(painter, QRectF(rect()));
}
