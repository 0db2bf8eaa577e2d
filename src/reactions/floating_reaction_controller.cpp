#include "reactions/floating_reaction_controller.h"

#include "engine/reaction_store.h"
#include "reactions/floating_reaction_view.h"

#include <QGuiApplication>
#include <QScreen>

FloatingReactionController::FloatingReactionController(ReactionStore& store, OverlaySettingsSource settings,
                                                       Clock& clock, RandomSource& random, QObject* parent)
    : QObject(parent), m_store(store), m_settings(std::move(settings)), m_clock(clock), m_random(random) {}

FloatingReactionController::~FloatingReactionController() {
    delete m_window.data();
}

void FloatingReactionController::attach() {
    m_store.setOnWillAppend([this](const ActiveReaction&) { bringToFront(); });
    connect(&m_store, &ReactionStore::reactionsChanged, this, &FloatingReactionController::reactionsChanged);
}

void FloatingReactionController::settingsChanged() {
    if (m_window)
        m_window->sync();
}

void FloatingReactionController::reactionsChanged() {
    if (!m_store.reactions().isEmpty())
        bringToFront();
    else if (m_window)
        m_window->hide();
}

bool FloatingReactionController::createWindow() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    // Stays on top, lets every click through, never takes focus and has no frame or taskbar entry.
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                            Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus |
                            Qt::NoDropShadowWindowHint;
    // On X11 a window the window manager does not manage shows on every virtual desktop and above
    // full-screen windows; Wayland has no such notion for clients.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        flags |= Qt::X11BypassWindowManagerHint;
    auto* window = new FloatingReactionView(m_store, m_settings, m_clock, m_random);
    window->setWindowFlags(flags);
    window->setWindowTitle(QStringLiteral("Zingboard reactions"));
    // The whole screen, taken once; the window is not resized later.
    window->setGeometry(screen->geometry());
    m_window = window;
    return true;
}

void FloatingReactionController::bringToFront() {
    if (!m_window && !createWindow())
        return;
    m_window->sync();
    if (!m_window->isVisible())
        m_window->show();
    m_window->raise();
    m_window->repaint();
}
