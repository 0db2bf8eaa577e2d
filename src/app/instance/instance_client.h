#pragma once

#include "app/instance/instance_paths.h"
#include "app/instance/instance_request.h"

#include <QLockFile>
#include <QString>
#include <memory>
#include <optional>

class QLocalSocket;

// A later `zingboard` looking for the running instance and talking to it. Blocking on purpose: this
// process has nothing else to do, and every wait is bounded so a hung instance never hangs it.
class InstanceClient {
public:
    enum class Presence {
        // Nobody holds the lock; with takeLock it is ours now.
        absent,
        // The instance answered on its socket.
        reached,
        // A live process holds the lock but does not take connections.
        silent,
    };

    explicit InstanceClient(InstancePaths paths);
    ~InstanceClient();

    // Waits up to `patienceMs` for an owner that is still starting. With takeLock, a free (or stale) lock
    // is taken and kept by lock().
    Presence find(bool takeLock, int patienceMs = kStartPatienceMs);
    QLockFile& lock() { return m_lock; }
    // The process that holds the lock, when known.
    std::optional<qint64> ownerPid();

    // After `reached`: sends the request, relays output and questions until the instance's exit status.
    // On a broken or silent conversation, prints why and returns 1.
    int carryOut(const InstanceRequest& request);

    // An owner may take this long from taking the lock to listening.
    static constexpr int kStartPatienceMs = 5000;
    // The instance sends a sign of life more often than this while it works.
    static constexpr int kSilenceLimitMs = 10000;

private:
    bool send(const QJsonObject& message);

    InstancePaths m_paths;
    QLockFile m_lock;
    std::unique_ptr<QLocalSocket> m_socket;
};
