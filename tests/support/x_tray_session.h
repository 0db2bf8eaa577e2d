#pragma once

#include "support/x_window_picture.h"

#include <QList>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// A private X server (Xvfb) with a system tray (trayer), for runs of the real desktop program, and the
// xdotool calls that look at its windows and click them. Every wait is bounded and polls for its condition.
class XTraySession {
public:
    // With `compositor`, xcompmgr runs too, so translucent windows are blended as on a desktop.
    explicit XTraySession(bool compositor = false);
    ~XTraySession();
    XTraySession(const XTraySession&) = delete;
    XTraySession& operator=(const XTraySession&) = delete;

    // False, with problem() saying why, when Xvfb, trayer or xdotool is missing or would not start.
    bool isReady() const { return m_problem.isEmpty(); }
    QString problem() const { return m_problem; }
    QString display() const { return m_display; }
    // `base` pointed at this display, on Qt's X11 platform.
    QProcessEnvironment environment(QProcessEnvironment base) const;

    // Mapped windows of a process, in stacking order.
    QList<quint64> visibleWindows(qint64 pid) const;
    std::optional<QRect> geometry(quint64 window) const;
    // Pointer moves there and clicks (1 left, 3 right), as a person would.
    bool click(QPoint at, int button) const;
    // What the window shows now (xwd); nothing when xwd is missing or failed.
    std::optional<XWindowPicture> capture(quint64 window) const;
    // Key names as xdotool knows them ("Escape", "Up", "Return").
    bool key(const QString& name) const;

    // Runs the event loop until `condition` holds or `limit` passes.
    static bool waitFor(const std::function<bool()>& condition,
                        std::chrono::milliseconds limit = std::chrono::seconds(20));

private:
    std::optional<QByteArray> xdotool(const QStringList& arguments) const;

    std::unique_ptr<QProcess> m_server;
    std::unique_ptr<QProcess> m_tray;
    std::unique_ptr<QProcess> m_compositor;
    QString m_display;
    QString m_problem;
};
