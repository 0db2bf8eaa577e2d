#include "support/pulse_null_sink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <memory>
#include <sys/prctl.h>

namespace {

struct Server {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QProcess> process;
    std::unique_ptr<PulseNullSink> sink;
    QString failure;
    bool attempted = false;
};

Server& server() {
    static Server instance;
    return instance;
}

void stopServer() {
    Server& s = server();
    if (s.process && s.process->state() != QProcess::NotRunning) {
        s.process->terminate();
        if (!s.process->waitForFinished(3000)) {
            s.process->kill();
            s.process->waitForFinished(3000);
        }
    }
    s.process.reset();
    s.dir.reset();
}

QString pulseaudioPath() {
    return QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
}

} // namespace

bool PulseNullSink::isInstalled() {
    return !pulseaudioPath().isEmpty();
}

PulseNullSink* PulseNullSink::shared(QString* whyNot) {
    Server& s = server();
    if (!s.attempted) {
        s.attempted = true;
        const QString program = pulseaudioPath();
        if (program.isEmpty()) {
            s.failure = QStringLiteral("pulseaudio is not installed (Debian package pulseaudio)");
        } else {
            // Short path: the socket name must fit in a sockaddr_un.
            s.dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/zb-pulse-XXXXXX"));
            const QString dir = s.dir->path();
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("PULSE_RUNTIME_PATH"), dir);
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir);
            env.insert(QStringLiteral("HOME"), dir);
            // Off the session bus: parallel test processes would compete for the server's bus name.
            env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
            env.remove(QStringLiteral("DISPLAY"));
            s.process = std::make_unique<QProcess>();
            s.process->setProcessEnvironment(env);
            s.process->setProcessChannelMode(QProcess::MergedChannels);
            // A crashed or killed test must not leave the server running.
            s.process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
            s.process->start(program, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                                       QStringLiteral("--exit-idle-time=-1"),
                                       // The sink first: once the socket exists, the sink does too.
                                       QStringLiteral("--load=module-null-sink sink_name=nullsink"),
                                       QStringLiteral("--load=module-native-protocol-unix")});
            const QString socket = dir + QStringLiteral("/native");
            // The socket file appears at bind(), before the server listens: only a connection that goes
            // through proves it is ready.
            const auto accepts = [&socket] {
                if (!QFileInfo::exists(socket))
                    return false;
                QLocalSocket probe;
                probe.connectToServer(socket);
                return probe.waitForConnected(1000);
            };
            QDeadlineTimer deadline(30000);
            bool ready = false;
            while (!(ready = accepts()) && s.process->state() != QProcess::NotRunning &&
                   !deadline.hasExpired())
                s.process->waitForFinished(20);
            if (ready && s.process->state() == QProcess::Running) {
                qputenv("PULSE_RUNTIME_PATH", dir.toUtf8());
                qputenv("PULSE_SERVER", (QStringLiteral("unix:") + socket).toUtf8());
                s.sink.reset(new PulseNullSink(dir));
                qAddPostRoutine(stopServer);
            } else {
                s.failure = QStringLiteral("pulseaudio did not start: ") +
                            QString::fromLocal8Bit(s.process->readAll()).trimmed();
                stopServer();
            }
        }
    }
    if (!s.sink && whyNot)
        *whyNot = s.failure;
    return s.sink.get();
}
