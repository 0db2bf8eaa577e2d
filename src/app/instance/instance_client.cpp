#include "app/instance/instance_client.h"

#include "app/cli_output.h"
#include "app/instance/instance_frame.h"
#include "app/secret_input.h"

#include <QDeadlineTimer>
#include <QJsonValue>
#include <QLocalSocket>
#include <QThread>

namespace {

void complain(const QString& text) {
    CliOutput::print(stderr, QStringLiteral("zingboard: ") + text + QLatin1Char('\n'));
}

} // namespace

InstanceClient::InstanceClient(InstancePaths paths) : m_paths(std::move(paths)), m_lock(m_paths.lockFile) {
    // Only a dead owner's lock is stale, however old: a program may run for months.
    m_lock.setStaleLockTime(0);
}

InstanceClient::~InstanceClient() = default;

std::optional<qint64> InstanceClient::ownerPid() {
    qint64 pid = 0;
    QString host;
    QString application;
    if (!m_lock.getLockInfo(&pid, &host, &application))
        return std::nullopt;
    return pid;
}

InstanceClient::Presence InstanceClient::find(bool takeLock, int patienceMs) {
    const QDeadlineTimer deadline(patienceMs);
    for (;;) {
        auto socket = std::make_unique<QLocalSocket>();
        socket->connectToServer(m_paths.socket);
        if (socket->waitForConnected(1000)) {
            m_socket = std::move(socket);
            return Presence::reached;
        }
        // QLockFile removes a lock whose process is gone, which is how a crash's leftovers are taken over.
        if (m_lock.tryLock(0)) {
            if (!takeLock)
                m_lock.unlock();
            return Presence::absent;
        }
        if (deadline.hasExpired())
            return Presence::silent;
        // The owner is between taking the lock and listening (or stuck there).
        QThread::msleep(50);
    }
}

bool InstanceClient::send(const QJsonObject& message) {
    const QByteArray frame = InstanceFrame::encode(message);
    if (frame.isEmpty() || m_socket->write(frame) != frame.size())
        return false;
    while (m_socket->bytesToWrite() > 0) {
        if (!m_socket->waitForBytesWritten(kSilenceLimitMs))
            return false;
    }
    return true;
}

int InstanceClient::carryOut(const InstanceRequest& request) {
    const auto broken = [](const QString& why) {
        complain(why);
        return 1;
    };
    if (!m_socket || !send(request.toJson()))
        return broken(QStringLiteral("could not reach the running Zingboard."));

    InstanceFrame::Decoder decoder;
    for (;;) {
        while (decoder.hasMessage()) {
            const QJsonObject message = decoder.takeMessage();
            const QString type = message.value(QStringLiteral("type")).toString();
            if (type == QLatin1String("out")) {
                CliOutput::print(stdout, message.value(QStringLiteral("text")).toString());
            } else if (type == QLatin1String("err")) {
                CliOutput::print(stderr, message.value(QStringLiteral("text")).toString());
            } else if (type == QLatin1String("ask")) {
                // Read here, where the user's terminal is; the line goes only over the socket.
                const std::optional<QString> line =
                    SecretInput::readLine(message.value(QStringLiteral("prompt")).toString(),
                                          message.value(QStringLiteral("hidden")).toBool(true));
                QJsonObject answer{{QStringLiteral("type"), QStringLiteral("answer")}};
                if (line)
                    answer.insert(QStringLiteral("text"), *line);
                else
                    answer.insert(QStringLiteral("end"), true);
                if (!send(answer))
                    return broken(QStringLiteral("the running Zingboard went away."));
            } else if (type == QLatin1String("exit")) {
                const QJsonValue status = message.value(QStringLiteral("status"));
                if (!status.isDouble())
                    return broken(QStringLiteral("the running Zingboard sent a broken answer."));
                return status.toInt(1);
            } else if (type != QLatin1String("wait")) {
                return broken(QStringLiteral("the running Zingboard sent a broken answer."));
            }
        }
        if (m_socket->bytesAvailable() == 0 && !m_socket->waitForReadyRead(kSilenceLimitMs)) {
            if (m_socket->state() != QLocalSocket::ConnectedState)
                return broken(QStringLiteral("the running Zingboard went away before it finished."));
            return broken(QStringLiteral("the running Zingboard does not answer (process ") +
                          QString::number(ownerPid().value_or(0)) + QStringLiteral(")."));
        }
        if (!decoder.feed(m_socket->read(InstanceFrame::kMaxPayloadBytes)))
            return broken(QStringLiteral("the running Zingboard sent a broken answer."));
    }
}
