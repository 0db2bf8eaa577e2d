#include "app/instance/instance_session.h"

#include "app/app_context.h"
#include "app/cli_commands.h"
#include "app/google_connect_command.h"
#include "engine/app_state.h"

#include <QCoroSignal>
#include <QJsonValue>
#include <QLocalSocket>
#include <QTimer>

namespace {

// An answer is one line typed by a person (a key, a website id, a list number).
constexpr qsizetype kMaxAnswerLength = 4096;

} // namespace

InstanceSession::InstanceSession(QLocalSocket* socket, Host host)
    : m_socket(socket), m_host(std::move(host)), m_requestTimer(new QTimer(this)),
      m_heartbeat(new QTimer(this)), m_answerTimer(new QTimer(this)) {
    socket->setParent(this);
    // The socket never buffers more than one largest frame ahead of us.
    socket->setReadBufferSize(InstanceFrame::kMaxPayloadBytes + InstanceFrame::kHeaderBytes);
    connect(socket, &QLocalSocket::readyRead, this, &InstanceSession::onReadyRead);
    connect(socket, &QLocalSocket::disconnected, this, &InstanceSession::dropPeer);

    m_requestTimer->setSingleShot(true);
    connect(m_requestTimer, &QTimer::timeout, this, &InstanceSession::dropPeer);
    m_requestTimer->start(kRequestTimeoutMs);

    connect(m_heartbeat, &QTimer::timeout, this, [this] {
        send(QJsonObject{{QStringLiteral("type"), QStringLiteral("wait")}});
    });

    m_answerTimer->setSingleShot(true);
    connect(m_answerTimer, &QTimer::timeout, this, [this] { settleAnswer(std::nullopt); });
    // Bytes may have arrived before we were listening.
    QTimer::singleShot(0, this, &InstanceSession::onReadyRead);
}

InstanceSession::~InstanceSession() = default;

void InstanceSession::onReadyRead() {
    while (m_socket && m_socket->bytesAvailable() > 0) {
        if (!m_decoder.feed(m_socket->read(InstanceFrame::kMaxPayloadBytes))) {
            dropPeer();
            return;
        }
        while (m_decoder.hasMessage()) {
            onMessage(m_decoder.takeMessage());
            if (!m_socket)
                return;
        }
    }
}

void InstanceSession::onMessage(const QJsonObject& message) {
    if (!m_haveRequest) {
        m_haveRequest = true;
        m_requestTimer->stop();
        QString problem;
        const std::optional<InstanceRequest> request = InstanceRequest::fromJson(message, &problem);
        if (!request) {
            const bool otherVersion =
                message.value(QStringLiteral("version")) != QJsonValue(InstanceRequest::kProtocolVersion);
            err(otherVersion
                    ? QStringLiteral("zingboard: a different version of Zingboard is running; quit it "
                                     "and start this one again.\n")
                    : QStringLiteral("zingboard: the running Zingboard refused the request (") + problem +
                          QStringLiteral(").\n"));
            send(
                QJsonObject{{QStringLiteral("type"), QStringLiteral("exit")}, {QStringLiteral("status"), 1}});
            m_done = true;
            finishIfDone();
            return;
        }
        m_request = *request;
        run();
        return;
    }
    // After the request the peer only ever answers a question it was asked.
    const QJsonValue text = message.value(QStringLiteral("text"));
    const bool isAnswer = message.value(QStringLiteral("type")) == QJsonValue(QStringLiteral("answer"));
    if (!m_awaitingAnswer || !isAnswer) {
        dropPeer();
        return;
    }
    if (message.value(QStringLiteral("end")).toBool(false)) {
        settleAnswer(std::nullopt);
        return;
    }
    if (!text.isString() || text.toString().size() > kMaxAnswerLength) {
        dropPeer();
        return;
    }
    settleAnswer(text.toString());
}

void InstanceSession::settleAnswer(std::optional<QString> answer) {
    if (!m_awaitingAnswer)
        return;
    m_awaitingAnswer = false;
    m_answerTimer->stop();
    m_answer = std::move(answer);
    Q_EMIT answerSettled();
}

void InstanceSession::dropPeer() {
    m_requestTimer->stop();
    if (m_socket) {
        QLocalSocket* socket = m_socket;
        m_socket = nullptr;
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
    // A command waiting for input sees the end of it.
    settleAnswer(std::nullopt);
    if (!m_running)
        m_done = true;
    finishIfDone();
}

void InstanceSession::finishIfDone() {
    if (!m_done || m_running)
        return;
    m_heartbeat->stop();
    if (m_socket) {
        // Let the last frames go out before hanging up.
        m_socket->flush();
        m_socket->disconnectFromServer();
    }
    deleteLater();
}

void InstanceSession::send(const QJsonObject& message) {
    if (!m_socket || m_socket->state() != QLocalSocket::ConnectedState)
        return;
    m_socket->write(InstanceFrame::encode(message));
    m_socket->flush();
}

void InstanceSession::out(const QString& text) {
    send(QJsonObject{{QStringLiteral("type"), QStringLiteral("out")}, {QStringLiteral("text"), text}});
}

void InstanceSession::err(const QString& text) {
    send(QJsonObject{{QStringLiteral("type"), QStringLiteral("err")}, {QStringLiteral("text"), text}});
}

QCoro::Task<std::optional<QString>> InstanceSession::readLine(QString prompt, bool hidden) {
    if (!m_socket)
        co_return std::nullopt;
    m_answer.reset();
    m_awaitingAnswer = true;
    m_answerTimer->start(kAnswerTimeoutMs);
    send(QJsonObject{{QStringLiteral("type"), QStringLiteral("ask")},
                     {QStringLiteral("prompt"), prompt},
                     {QStringLiteral("hidden"), hidden}});
    co_await qCoro(this, &InstanceSession::answerSettled);
    co_return m_answer;
}

QCoro::Task<void> InstanceSession::run() {
    m_running = true;
    m_heartbeat->start(kHeartbeatMs);
    Q_EMIT commandStarted();
    const int status = co_await execute();
    send(QJsonObject{{QStringLiteral("type"), QStringLiteral("exit")}, {QStringLiteral("status"), status}});
    m_running = false;
    m_done = true;
    Q_EMIT commandFinished();
    finishIfDone();
}

QCoro::Task<int> InstanceSession::execute() {
    AppContext& context = *m_host.context;
    switch (m_request.command) {
    case InstanceRequest::Command::open:
        if (m_request.demo)
            context.state().setDemoModeEnabled(true);
        if (!m_host.openPanel) {
            err(QStringLiteral("zingboard: Zingboard is running without a window (headless); there is no "
                               "panel to open.\n"));
            co_return 1;
        }
        m_host.openPanel();
        co_return 0;
    case InstanceRequest::Command::status:
        co_return CliCommands::status(context, m_request.json, *this);
    case InstanceRequest::Command::connect:
        if (m_request.target == QLatin1String("google")) {
            GoogleConnectCommand::Options options;
            options.noBrowser = m_request.noBrowser;
            options.gaProperty = m_request.gaProperty;
            options.gscSite = m_request.gscSite;
            co_return co_await GoogleConnectCommand::run(context, options, *this);
        }
        co_return co_await CliCommands::connect(context, m_request.target, *this);
    case InstanceRequest::Command::disconnect:
        co_return co_await CliCommands::disconnect(context, m_request.target, *this);
    }
    co_return 1;
}
