#include "cli_sandbox.h"

#include "midday_time_zone.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>

QStringList CliSandbox::Result::outLines() const {
    QStringList lines = QString::fromUtf8(out).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

CliSandbox::CliSandbox() : m_env(QProcessEnvironment::systemEnvironment()) {
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
    // Nothing from the caller's environment may point the program elsewhere or speed it up.
    for (const QString& name : m_env.keys()) {
        if (name.startsWith(QLatin1String("ZINGBOARD_")))
            m_env.remove(name);
    }
}

QString CliSandbox::runtimeFolder() const {
    return m_root.filePath(QStringLiteral("runtime"));
}

std::unique_ptr<QProcess> CliSandbox::start(const QStringList& arguments) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(m_env);
    process->start(QStringLiteral(ZINGBOARD_EXECUTABLE), arguments);
    if (!process->waitForStarted(10000))
        ADD_FAILURE() << "could not start " << ZINGBOARD_EXECUTABLE;
    process->closeWriteChannel();
    return process;
}

CliSandbox::Result CliSandbox::stop(QProcess& process, int signal, std::chrono::milliseconds limit) {
    Result result;
    if (process.state() != QProcess::NotRunning) {
        ::kill(pid_t(process.processId()), signal);
        if (!waitFor([&process] { return process.state() == QProcess::NotRunning; }, limit)) {
            process.kill();
            process.waitForFinished(5000);
            ADD_FAILURE() << "still running " << limit.count() << " ms after signal " << signal;
            return result;
        }
    }
    result.finished = process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

bool CliSandbox::waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool expired = false;
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        expired = true;
        loop.quit();
    });
    deadline.start(limit);
    // Looks again after each short pause; the condition, not the pause, decides.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    poll.start(20);
    if (condition())
        return true;
    loop.exec();
    return !expired || condition();
}

QString CliSandbox::configFolder() const {
    return m_root.filePath(QStringLiteral("config/zingboard"));
}

std::optional<QByteArray> CliSandbox::document(const QString& key) const {
    QFile file(configFolder() + QLatin1Char('/') + key + QStringLiteral(".json"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void CliSandbox::writeDocument(const QString& key, const QByteArray& bytes) const {
    QDir().mkpath(configFolder());
    QFile file(configFolder() + QLatin1Char('/') + key + QStringLiteral(".json"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

bool CliSandbox::onPrivateKeyring() {
    return qEnvironmentVariableIsSet("ZINGBOARD_TEST_SCRATCH") &&
           qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS");
}

CliSandbox::Result CliSandbox::run(const QStringList& arguments, const QByteArray& input,
                                   std::chrono::milliseconds limit) {
    QProcess process;
    process.setProcessEnvironment(m_env);
    process.start(QStringLiteral(ZINGBOARD_EXECUTABLE), arguments);
    Result result;
    if (!process.waitForStarted(10000)) {
        ADD_FAILURE() << "could not start " << ZINGBOARD_EXECUTABLE;
        return result;
    }
    process.write(input);
    process.closeWriteChannel();
    // An event loop rather than waitForFinished, so servers in this process keep answering.
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
        ADD_FAILURE() << "still running after " << limit.count()
                      << " ms: " << arguments.join(u' ').toStdString();
    } else {
        result.finished = process.exitStatus() == QProcess::NormalExit;
        result.exitCode = process.exitCode();
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

CliSandbox::Result CliSandbox::runUntil(const QStringList& arguments, const LineWatcher& watcher,
                                        int stopSignal, std::chrono::milliseconds limit) {
    QProcess process;
    process.setProcessEnvironment(m_env);
    Result result;
    QByteArray pending;
    bool signalled = false;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &loop, [&] {
        const QByteArray chunk = process.readAllStandardOutput();
        result.out += chunk;
        pending += chunk;
        qsizetype end;
        while ((end = pending.indexOf('\n')) >= 0) {
            const QByteArray line = pending.left(end);
            pending.remove(0, end + 1);
            if (!signalled && watcher(line)) {
                signalled = true;
                ::kill(pid_t(process.processId()), stopSignal);
            }
        }
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    process.start(QStringLiteral(ZINGBOARD_EXECUTABLE), arguments);
    if (!process.waitForStarted(10000)) {
        ADD_FAILURE() << "could not start " << ZINGBOARD_EXECUTABLE;
        return result;
    }
    process.closeWriteChannel();
    loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
        ADD_FAILURE() << "still running after " << limit.count() << " ms (watcher satisfied: " << signalled
                      << ")";
    } else {
        result.finished = process.exitStatus() == QProcess::NormalExit;
        result.exitCode = process.exitCode();
    }
    result.out += process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    EXPECT_TRUE(signalled) << "the program ended before the test saw what it waited for";
    return result;
}
