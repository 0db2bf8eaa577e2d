#pragma once

#include "app/command_console.h"
#include "app/instance/instance_frame.h"
#include "app/instance/instance_request.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <optional>

class AppContext;
class QLocalSocket;
class QTimer;

// One conversation with a later `zingboard`: its request, the command run here on its behalf, and the
// command's output and questions sent back as they happen. Deletes itself once the command has finished
// and the answer is out, never while the command still runs (it refers to this object).
class InstanceSession final : public QObject, public CommandConsole {
    Q_OBJECT
public:
    struct Host {
        AppContext* context = nullptr;
        // Shows the panel of a desktop instance; empty when there is none (headless).
        std::function<void()> openPanel;
    };

    InstanceSession(QLocalSocket* socket, Host host);
    ~InstanceSession() override;

    bool isRunningCommand() const { return m_running; }

    void out(const QString& text) override;
    void err(const QString& text) override;
    bool isInteractive() const override { return m_request.interactive; }
    QCoro::Task<std::optional<QString>> readLine(QString prompt, bool hidden) override;

    // How long a peer may take to send its request, and to answer a question (a person typing a key).
    static constexpr int kRequestTimeoutMs = 5000;
    static constexpr int kAnswerTimeoutMs = 5 * 60 * 1000;
    // While a command runs, a sign of life at least this often, so the asking side can tell slow from hung.
    static constexpr int kHeartbeatMs = 3000;

Q_SIGNALS:
    void commandStarted();
    void commandFinished();
    // An answer arrived, the peer went away or gave up waiting; m_answer holds what there is.
    void answerSettled();

private:
    void onReadyRead();
    void onMessage(const QJsonObject& message);
    void dropPeer();
    void send(const QJsonObject& message);
    QCoro::Task<void> run();
    QCoro::Task<int> execute();
    void settleAnswer(std::optional<QString> answer);
    void finishIfDone();

    QPointer<QLocalSocket> m_socket;
    Host m_host;
    InstanceFrame::Decoder m_decoder;
    InstanceRequest m_request;
    QTimer* m_requestTimer;
    QTimer* m_heartbeat;
    QTimer* m_answerTimer;
    bool m_haveRequest = false;
    bool m_running = false;
    bool m_done = false;
    bool m_awaitingAnswer = false;
    std::optional<QString> m_answer;
};
