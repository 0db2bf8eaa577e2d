#include "google/google_loopback_oauth_server.h"
#include "google/loopback_test_support.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"
#include "support/run_task.h"

#include <QNetworkInterface>
#include <gtest/gtest.h>
#include <memory>

using namespace LoopbackTestSupport;

namespace {

struct Outcome {
    std::optional<QString> code;
    std::optional<GoogleOAuthError::Case> errorCase;
    QString description;
};

Outcome outcomeOf(GoogleLoopbackOAuthServer& capture) {
    Outcome outcome;
    try {
        outcome.code = TestTasks::run(capture.result(), std::chrono::seconds(5));
    } catch (const GoogleOAuthError& error) {
        outcome.errorCase = error.errorCase();
        outcome.description = error.description();
    }
    return outcome;
}

const QString state = QStringLiteral("q9Vn3-_kX0s");

QByteArray getExactly(const QByteArray& target) {
    return QByteArrayLiteral("GET ") + target + QByteArrayLiteral(" HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}

// A request that carries the sign-in's state back, as Google's redirect does.
QByteArray get(const char* target) {
    const QByteArray path(target);
    return getExactly(path + (path.contains('?') ? "&state=" : "?state=") + state.toUtf8());
}

const QByteArray connectedTitle = "<title>Connected to Zingboard</title>";
const QByteArray failedTitle = "<title>Sign-in failed</title>";
const QByteArray missingTitle = "<title>Missing code</title>";

struct RequestCase {
    const char* name;
    QByteArray request;
    QByteArray pageTitle; // empty: the connection is closed without an answer
    std::optional<QString> code;
    std::optional<GoogleOAuthError::Case> errorCase;
    QString description;
};

void PrintTo(const RequestCase& c, std::ostream* os) {
    *os << c.name;
}

class LoopbackRequestTest : public ::testing::TestWithParam<RequestCase> {
protected:
    FakeClock clock;
};

TEST_P(LoopbackRequestTest, AnswersTheBrowserAndResolvesTheCapture) {
    const RequestCase& c = GetParam();
    const quint16 port = freePort();
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    ASSERT_TRUE(capture.isListening());

    const QByteArray answer = exchange(port, c.request);
    if (c.pageTitle.isEmpty()) {
        EXPECT_TRUE(answer.isEmpty()) << answer.toStdString();
    } else {
        EXPECT_TRUE(answer.startsWith("HTTP/1.1 200 OK\r\n")) << answer.toStdString();
        EXPECT_TRUE(answer.contains(c.pageTitle)) << answer.toStdString();
    }
    const Outcome outcome = outcomeOf(capture);
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_EQ(outcome.errorCase, c.errorCase);
    EXPECT_EQ(outcome.description, c.description);
    // Whatever the outcome, the capture served its one request and stopped listening.
    EXPECT_FALSE(capture.isListening());
    EXPECT_TRUE(refuses(port));
}

using Case = GoogleOAuthError::Case;
const QString missingCodeText = QStringLiteral("Google did not return an authorization code.");
const QString mismatchText = QStringLiteral("The sign-in answer did not match this sign-in request.");

INSTANTIATE_TEST_SUITE_P(
    Requests, LoopbackRequestTest,
    ::testing::Values(
        RequestCase{"code", get("/oauth/callback?code=4%2F0AbC-d_e&scope=x%20y"), connectedTitle,
                    QStringLiteral("4/0AbC-d_e"), std::nullopt, QString()},
        RequestCase{"error_with_description",
                    get("/oauth/callback?error=access_denied&error_description=User%20said%20no"),
                    failedTitle, std::nullopt, Case::oauthDenied,
                    QStringLiteral("Google sign-in denied: User said no")},
        RequestCase{"error_without_description", get("/oauth/callback?error=access_denied"), failedTitle,
                    std::nullopt, Case::oauthDenied, QStringLiteral("Google sign-in denied: access_denied")},
        RequestCase{"error_wins_over_code", get("/oauth/callback?code=abc&error=access_denied"), failedTitle,
                    std::nullopt, Case::oauthDenied, QStringLiteral("Google sign-in denied: access_denied")},
        RequestCase{"error_item_without_value_is_no_error", get("/oauth/callback?error&code=abc"),
                    connectedTitle, QStringLiteral("abc"), std::nullopt, QString()},
        RequestCase{"empty_code", get("/oauth/callback?code="), missingTitle, std::nullopt, Case::missingCode,
                    missingCodeText},
        RequestCase{"code_without_value", get("/oauth/callback?code"), missingTitle, std::nullopt,
                    Case::missingCode, missingCodeText},
        RequestCase{"no_query_on_callback", get("/oauth/callback"), missingTitle, std::nullopt,
                    Case::missingCode, missingCodeText},
        RequestCase{"code_on_another_path", get("/somewhere/else?code=xyz"), connectedTitle,
                    QStringLiteral("xyz"), std::nullopt, QString()},
        RequestCase{"plus_stays_a_plus", get("/oauth/callback?code=a+b"), connectedTitle,
                    QStringLiteral("a+b"), std::nullopt, QString()},
        RequestCase{"request_line_without_target", QByteArrayLiteral("GET\r\n\r\n"), QByteArray(),
                    std::nullopt, Case::missingCode, missingCodeText},
        RequestCase{"malformed_target", get("/oauth/callback?code=%zz"), QByteArray(), std::nullopt,
                    Case::missingCode, missingCodeText},
        RequestCase{"garbage_bytes", QByteArray::fromHex("160301020001000001fc0303a1b2c3d4e5"), QByteArray(),
                    std::nullopt, Case::missingCode, missingCodeText},
        RequestCase{"code_without_state", getExactly("/oauth/callback?code=abc"), failedTitle, std::nullopt,
                    Case::stateMismatch, mismatchText},
        RequestCase{"code_with_another_state", getExactly("/oauth/callback?code=abc&state=q9Vn3-_kX0t"),
                    failedTitle, std::nullopt, Case::stateMismatch, mismatchText},
        RequestCase{"state_without_value", getExactly("/oauth/callback?code=abc&state"), failedTitle,
                    std::nullopt, Case::stateMismatch, mismatchText},
        RequestCase{"denial_without_state", getExactly("/oauth/callback?error=access_denied"), failedTitle,
                    std::nullopt, Case::stateMismatch, mismatchText},
        RequestCase{"callback_without_anything", getExactly("/oauth/callback"), failedTitle, std::nullopt,
                    Case::stateMismatch, mismatchText},
        RequestCase{"non_utf8_request",
                    QByteArrayLiteral("GET /oauth/callback?code=\xff\xfe HTTP/1.1\r\n\r\n"), QByteArray(),
                    std::nullopt, Case::missingCode, missingCodeText}),
    [](const auto& info) { return std::string(info.param.name); });

class LoopbackCaptureTest : public ::testing::Test {
protected:
    FakeClock clock;
    quint16 port = freePort();
};

TEST_F(LoopbackCaptureTest, PageIsExactWithAByteCountedContentLength) {
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    const QByteArray answer = exchange(port, get("/oauth/callback?code=c"));
    const QByteArray page =
        "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Connected to "
        "Zingboard</title></head><body "
        "style=\"font-family:-apple-system,sans-serif;padding:40px;text-align:center;\"><h1>Connected to "
        "Zingboard</h1><p>Google is connected. You can close this tab and return to the "
        "app.</p></body></html>";
    EXPECT_EQ(answer, "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
                      "Content-Length: " +
                          QByteArray::number(page.size()) + "\r\n\r\n" + page);
    EXPECT_EQ(outcomeOf(capture).code, QStringLiteral("c"));
}

TEST(LoopbackAnswer, ContentLengthCountsUtf8BytesNotCharacters) {
    const QByteArray answer = GoogleLoopbackOAuthServer::htmlAnswer(QStringLiteral("Caf\u00e9 \u2603"),
                                                                    QStringLiteral("\U0001F389"));
    const QByteArray body = bodyOf(answer);
    EXPECT_TRUE(answer.contains("Content-Length: " + QByteArray::number(body.size()) + "\r\n"));
    EXPECT_GT(body.size(), QString::fromUtf8(body).size());
}

TEST_F(LoopbackCaptureTest, ConnectionThatSendsNothingDoesNotEndTheCapture) {
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    EXPECT_TRUE(exchange(port, QByteArray(), true).isEmpty());
    EXPECT_FALSE(capture.isFinished());
    EXPECT_TRUE(capture.isListening());
    EXPECT_TRUE(exchange(port, get("/oauth/callback?code=later")).contains(connectedTitle));
    EXPECT_EQ(outcomeOf(capture).code, QStringLiteral("later"));
}

TEST_F(LoopbackCaptureTest, FaviconRequestIsRefusedWithoutEndingTheCapture) {
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    const QByteArray favicon = exchange(port, get("/favicon.ico"));
    EXPECT_TRUE(favicon.startsWith("HTTP/1.1 404 ")) << favicon.toStdString();
    EXPECT_FALSE(capture.isFinished());
    EXPECT_TRUE(exchange(port, get("/oauth/callback?code=after-icon")).contains(connectedTitle));
    EXPECT_EQ(outcomeOf(capture).code, QStringLiteral("after-icon"));
}

// Browsers open spare connections that stay silent; the redirect on another connection must still get
// through.
TEST_F(LoopbackCaptureTest, IdleSpeculativeConnectionDoesNotHoldUpTheRedirect) {
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    QTcpSocket idle;
    idle.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(idle.waitForConnected(3000));
    EXPECT_TRUE(exchange(port, get("/oauth/callback?code=fast")).contains(connectedTitle));
    EXPECT_EQ(outcomeOf(capture).code, QStringLiteral("fast"));
    // The spare connection is dropped when the capture ends.
    if (idle.state() != QAbstractSocket::UnconnectedState) {
        EXPECT_TRUE(idle.waitForDisconnected(3000));
    }
}

TEST_F(LoopbackCaptureTest, RequestSplitAcrossWritesIsReadWhole) {
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    ASSERT_TRUE(socket.waitForConnected(3000));
    socket.write("GET /oauth/call");
    socket.flush();
    QEventLoop settle;
    QTimer::singleShot(50, &settle, &QEventLoop::quit);
    settle.exec();
    EXPECT_FALSE(capture.isFinished());
    socket.write("back?code=split&state=" + state.toUtf8() + " HTTP/1.1\r\n\r\n");
    EXPECT_EQ(outcomeOf(capture).code, QStringLiteral("split"));
}

TEST_F(LoopbackCaptureTest, PartialRequestLineClosedByThePeerIsMissingCode) {
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    EXPECT_TRUE(exchange(port, "hello", true).isEmpty());
    EXPECT_EQ(outcomeOf(capture).errorCase, Case::missingCode);
}

TEST_F(LoopbackCaptureTest, PortInUseFallsBackToAFreeLoopbackPort) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::LocalHost, port));
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    ASSERT_TRUE(capture.isListening());
    EXPECT_NE(capture.port(), port);
    EXPECT_TRUE(exchange(quint16(capture.port()), get("/oauth/callback?code=c")).contains(connectedTitle));
    EXPECT_EQ(outcomeOf(capture).code, QStringLiteral("c"));
}

TEST_F(LoopbackCaptureTest, InvalidPortsFail) {
    for (const int bad : {0, -1, 65536}) {
        GoogleLoopbackOAuthServer capture(clock);
        capture.start(bad, state);
        const Outcome outcome = outcomeOf(capture);
        EXPECT_EQ(outcome.errorCase, Case::loopbackFailed) << bad;
        EXPECT_EQ(outcome.description, QStringLiteral("Invalid loopback port.")) << bad;
    }
}

TEST_F(LoopbackCaptureTest, EndsCancelledAfterFiveMinutesWithoutARequestAndFreesThePort) {
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    clock.advance(std::chrono::minutes(5) - std::chrono::milliseconds(1));
    EXPECT_FALSE(capture.isFinished());
    clock.advance(std::chrono::milliseconds(1));
    ASSERT_TRUE(capture.isFinished());
    const Outcome outcome = outcomeOf(capture);
    EXPECT_EQ(outcome.errorCase, Case::cancelled);
    EXPECT_EQ(outcome.description, QStringLiteral("Google sign-in timed out or was cancelled."));
    EXPECT_TRUE(refuses(port));
}

TEST_F(LoopbackCaptureTest, TimeOutAfterACodeChangesNothing) {
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    exchange(port, get("/oauth/callback?code=first"));
    clock.advance(std::chrono::minutes(6));
    EXPECT_EQ(outcomeOf(capture).code, QStringLiteral("first"));
}

TEST_F(LoopbackCaptureTest, CancelEndsAWaitingCaptureAndFreesThePort) {
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    capture.cancel();
    EXPECT_EQ(outcomeOf(capture).errorCase, Case::cancelled);
    GoogleLoopbackOAuthServer next(clock);
    next.start(port, state);
    EXPECT_TRUE(next.isListening());
}

TEST_F(LoopbackCaptureTest, ServesOneRequestThenTheNextCaptureGetsThePort) {
    {
        GoogleLoopbackOAuthServer capture(clock);
        capture.start(port, state);
        exchange(port, get("/oauth/callback?code=one"));
        EXPECT_EQ(outcomeOf(capture).code, QStringLiteral("one"));
        EXPECT_EQ(exchange(port, get("/oauth/callback?code=two")), QByteArrayLiteral("<not connected>"));
    }
    GoogleLoopbackOAuthServer again(clock);
    again.start(port, state);
    ASSERT_TRUE(again.isListening());
    exchange(port, get("/oauth/callback?code=three"));
    EXPECT_EQ(outcomeOf(again).code, QStringLiteral("three"));
}

TEST_F(LoopbackCaptureTest, NothingListensOnOtherAddresses) {
    GoogleLoopbackOAuthServer capture(clock);
    capture.start(port, state);
    QList<QHostAddress> others;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (!address.isLoopback() && address.protocol() == QAbstractSocket::IPv4Protocol)
            others.append(address);
    }
    if (others.isEmpty())
        GTEST_SKIP() << "this machine has no non-loopback IPv4 address";
    for (const QHostAddress& address : others)
        EXPECT_TRUE(refuses(port, address)) << address.toString().toStdString();
    EXPECT_FALSE(capture.isFinished());
}

TEST(OAuthResumeGuard, FirstResolutionWins) {
    OAuthResumeGuard guard;
    EXPECT_TRUE(guard.succeed(QStringLiteral("code")));
    EXPECT_FALSE(guard.fail(GoogleOAuthError::loopbackFailed(QStringLiteral("late"))));
    EXPECT_FALSE(guard.succeed(QStringLiteral("other")));
    EXPECT_EQ(TestTasks::run(guard.result()), QStringLiteral("code"));

    OAuthResumeGuard failed;
    EXPECT_TRUE(failed.fail(GoogleOAuthError::missingCode()));
    EXPECT_FALSE(failed.succeed(QStringLiteral("code")));
    EXPECT_THROW(TestTasks::run(failed.result()), GoogleOAuthError);
}

} // namespace
