#include "private_keyring_sandbox.h"
#include "midday_time_zone.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>
#include <signal.h>

bool PrivateKeyringSandbox::available() {
    return !QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("gnome-keyring-daemon")).isEmpty();
}

PrivateKeyringSandbox::PrivateKeyringSandbox() : m_env(QProcessEnvironment::systemEnvironment()) {
    for (const char* folder : {"home", "config", "data", "runtime"})
        QDir(m_root.path()).mkpath(QString::fromUtf8(folder));
    QFile::setPermissions(m_root.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_env.insert(QStringLiteral("HOME"), m_root.filePath(QStringLiteral("home")));
    m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_root.filePath(QStringLiteral("config")));
    m_env.insert(QStringLiteral("XDG_DATA_HOME"), m_root.filePath(QStringLiteral("data")));
    m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_root.filePath(QStringLiteral("runtime")));
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Far from midnight, so a run never straddles two days.
    const QByteArray zone = MiddayTimeZone::ianaIdAt(QDateTime::currentDateTimeUtc());
    m_timeZone = QTimeZone(zone);
    m_env.insert(QStringLiteral("TZ"), QString::fromLatin1(zone));
    m_env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    for (const QString& name : m_env.keys()) {
        if (name.startsWith(QLatin1String("ZINGBOARD_")))
            m_env.remove(name);
    }
}

PrivateKeyringSandbox::Result PrivateKeyringSandbox::run(const QStringList& arguments,
                                                         const QByteArray& input) {
    return runProgram(QStringLiteral(ZINGBOARD_EXECUTABLE), arguments, input);
}

QMap<QString, QByteArray> PrivateKeyringSandbox::files() const {
    QMap<QString, QByteArray> found;
    const QDir root(m_root.path());
    for (const char* folder : {"home", "config", "data"}) {
        QDirIterator it(m_root.filePath(QString::fromUtf8(folder)), QDir::Files | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            found.insert(root.relativeFilePath(path),
                         file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArrayLiteral("<unreadable>"));
        }
    }
    return found;
}

PrivateKeyringSandbox::Result PrivateKeyringSandbox::runProgram(const QString& program,
                                                                const QStringList& arguments,
                                                                const QByteArray& input) {
    return runWatched(program, arguments, input, {}, 0);
}

PrivateKeyringSandbox::Result PrivateKeyringSandbox::runUntil(const QStringList& arguments,
                                                              const std::function<bool()>& ready,
                                                              int stopSignal) {
    return runWatched(QStringLiteral(ZINGBOARD_EXECUTABLE), arguments, {}, ready, stopSignal);
}

PrivateKeyringSandbox::Result PrivateKeyringSandbox::runWatched(const QString& program,
                                                                const QStringList& arguments,
                                                                const QByteArray& input,
                                                                const std::function<bool()>& ready,
                                                                int stopSignal) {
    // The daemon reads the keyring password from its own standard input; the program gets ours. The shell's
    // process id is the program's after exec; it goes to the runtime folder for the stop signal.
    const QString pidFile = m_root.filePath(QStringLiteral("runtime/program.pid"));
    QFile::remove(pidFile);
    const QString script = QStringLiteral("printf zingboard-e2e | gnome-keyring-daemon --unlock "
                                          "--components=secrets >/dev/null && echo $$ >\"$XDG_RUNTIME_DIR/"
                                          "program.pid\" && exec \"$@\"");
    QProcess process;
    process.setProcessEnvironment(m_env);
    process.start(QStringLiteral("dbus-run-session"),
                  QStringList{QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                              QStringLiteral("sh"), program} +
                      arguments);
    Result result;
    if (!process.waitForStarted(10000)) {
        ADD_FAILURE() << "could not start dbus-run-session";
        return result;
    }
    process.write(input);
    process.closeWriteChannel();
    // An event loop rather than waitForFinished, so servers in this process keep answering.
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(std::chrono::seconds(40), &loop, &QEventLoop::quit);
    QTimer watch;
    QElapsedTimer sinceSignal;
    if (ready) {
        QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
            if (!ready())
                return;
            watch.stop();
            QFile file(pidFile);
            const qint64 pid = file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
            if (pid <= 0) {
                ADD_FAILURE() << "the program's process id was not recorded";
                loop.quit();
                return;
            }
            sinceSignal.start();
            ::kill(pid_t(pid), stopSignal);
        });
        watch.start(10);
    }
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (sinceSignal.isValid())
        result.exitAfterSignal = std::chrono::milliseconds(sinceSignal.elapsed());
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
        ADD_FAILURE() << "still running: " << arguments.join(u' ').toStdString();
    } else {
        result.finished = process.exitStatus() == QProcess::NormalExit;
        result.exitCode = process.exitCode();
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}
