#pragma once

#include "model/clock.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

// The "Deleted <name> · Undo" line of a list: deleting asks nothing, so a mis-click can be taken back for a
// few seconds. A second deletion replaces the offer; the first one then stays deleted.
class DeletionUndo : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds window{5000};

    explicit DeletionUndo(Clock& clock, QObject* parent = nullptr);
    ~DeletionUndo() override;

    // `restore` puts the record back; it runs at most once, and only from undo().
    void offer(const QString& name, std::function<void()> restore);
    bool isActive() const { return m_restore != nullptr; }
    // "Deleted <name>"; empty while nothing can be undone.
    QString message() const;
    void undo();
    void dismiss();

Q_SIGNALS:
    void changed();

private:
    void cancelTimer();

    Clock& m_clock;
    QString m_name;
    std::function<void()> m_restore;
    std::optional<Clock::TimerId> m_timer;
};
