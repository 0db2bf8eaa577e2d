#include "private_keyring_sandbox.h"
#include "midday_time_zone.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <gtest/gtest.h>

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
    // The daemon reads the keyring password from its own standard input; the program gets ours.
    const QString script = QStringLiteral("printf zingboard-e2e | gnome-keyring-daemon --unlock "
                                          "--components=secrets >/dev/null && exec \"$@\"");
    QProcess process;
    process.setProcessEnvironment(m_env);
    process.start(QStringLiteral("dbus-run-session"),
                  QStringList{QStringLiteral("--"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                              QStringLiteral("sh"), QStringLiteral(ZINGBOARD_EXECUTABLE)} +
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
    if (process.state() != QProcess::NotRunning)
        loop.exec();
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
