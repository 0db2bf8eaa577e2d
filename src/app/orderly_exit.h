#pragma once

#include <QObject>
#include <functional>

class AppState;
class InstanceServer;

// The one way out of a long-running program: "Quit Zingboard", Ctrl-C and the session's SIGTERM all end
// here. Stops taking handed-over commands, stops polling, closes the windows, saves the documents whole,
// then ends the event loop with the status.
class OrderlyExit : public QObject {
    Q_OBJECT
public:
    explicit OrderlyExit(AppState& state, QObject* parent = nullptr);

    void setInstanceServer(InstanceServer* server) { m_server = server; }
    // Run first on the way out, before the documents are saved (a runner's own stop, say).
    void setBeforeSave(std::function<void()> step) { m_beforeSave = std::move(step); }

    // Leaves once; later requests change nothing.
    void leave(int status = 0);
    bool isLeaving() const { return m_leaving; }

    // A poll or handed-over command still waiting on the network when the loop ended: the objects it will
    // resume into must outlive the loop.
    bool workStillSuspended() const;

private:
    AppState& m_state;
    InstanceServer* m_server = nullptr;
    std::function<void()> m_beforeSave;
    bool m_leaving = false;
};
