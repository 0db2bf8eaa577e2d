#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QtGlobal>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

struct xcb_connection_t;

// Watches the top-level windows of an X display from outside the programs that own them: when each was
// created and mapped, and when its contents were first drawn (XDamage), on one monotonic clock. Clicks go
// through XTest, so the time of a click is known to the microsecond instead of to one process start.
class XFrameWatch {
public:
    using Instant = std::chrono::steady_clock::time_point;

    struct Window {
        QSize size;
        Instant created;
        std::optional<Instant> mapped;
        // The first drawing into the window after it was mapped: the first frame a person can see.
        std::optional<Instant> firstFrame;
        // The program that drew it (_NET_WM_PID), read at that first frame.
        qint64 pid = 0;
    };

    explicit XFrameWatch(const QString& display);
    ~XFrameWatch();
    XFrameWatch(const XFrameWatch&) = delete;
    XFrameWatch& operator=(const XFrameWatch&) = delete;

    // False, with problem() saying why, when the display or its Damage or XTest extension is missing.
    bool isReady() const { return m_problem.isEmpty(); }
    QString problem() const { return m_problem; }

    // Pointer moves there and presses and releases `button`; the moment the press was sent.
    Instant click(QPoint at, int button);

    // Reads events until `done` holds or `limit` passes, sleeping on the connection between events.
    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit);
    // The first window of process `pid` created at or after `since` that has been drawn and whose size
    // `accepts` takes.
    std::optional<Window> firstDrawn(Instant since, qint64 pid,
                                     const std::function<bool(QSize)>& accepts) const;

private:
    void handle(const void* event);
    std::uint32_t ownerPid(std::uint32_t window);

    xcb_connection_t* m_connection = nullptr;
    QString m_problem;
    uint8_t m_damageEvent = 0;
    std::uint32_t m_root = 0;
    std::uint32_t m_pidAtom = 0;
    std::map<std::uint32_t, Window> m_windows;
    std::map<std::uint32_t, std::uint32_t> m_damages;
};
