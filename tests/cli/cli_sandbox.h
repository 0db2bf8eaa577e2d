#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonDocument>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimeZone>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QProcess;

// Runs the real executable in a throw-away home with its own configuration and data folders. The Secret
// Service (when the test runner provides one) is the one of the test session.
class CliSandbox {
public:
    struct Result {
        bool finished = false;
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
        QStringList outLines() const;
    };
    // Called with each complete line of standard output as it arrives; returns true once the test has seen
    // enough, after which the sandbox sends `stopSignal` to the program.
    using LineWatcher = std::function<bool(const QByteArray& line)>;

    CliSandbox();

    void setEnv(const QString& name, const QString& value) { m_env.insert(name, value); }
    // The program's local time zone (TZ): one where it is around noon now.
    QTimeZone timeZone() const { return m_timeZone; }
    Result run(const QStringList& arguments, const QByteArray& input = {},
               std::chrono::milliseconds limit = std::chrono::seconds(30));
    // Runs until `watcher` is satisfied (then sends `stopSignal`) or `limit` passes (then kills).
    Result runUntil(const QStringList& arguments, const LineWatcher& watcher, int stopSignal,
                    std::chrono::milliseconds limit = std::chrono::seconds(30));

    // Starts the program and leaves it running; the caller ends it (see stop).
    std::unique_ptr<QProcess> start(const QStringList& arguments);
    // Sends `signal` and waits up to `limit` for the program to end; kills it after that.
    static Result stop(QProcess& process, int signal,
                       std::chrono::milliseconds limit = std::chrono::seconds(30));
    // Runs the event loop until `condition` holds or `limit` passes; says whether it held.
    static bool waitFor(const std::function<bool()>& condition,
                        std::chrono::milliseconds limit = std::chrono::seconds(30));

    QString configFolder() const;
    QString runtimeFolder() const;
    // A stored document by key ("zingboard.settings"), as bytes; nothing when the file is missing.
    std::optional<QByteArray> document(const QString& key) const;
    void writeDocument(const QString& key, const QByteArray& bytes) const;

    // The test runner's own unlocked keyring on a private session bus.
    static bool onPrivateKeyring();

private:
    QTemporaryDir m_root;
    QProcessEnvironment m_env;
    QTimeZone m_timeZone;
};
