#include "fuzz_support.h"
#include "google/google_loopback_oauth_server.h"
#include "google/google_oauth_error.h"
#include "support/fake_clock.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

// A port that was free when the program started; the listener reopens it for every input.
int loopbackPort() {
    static const int port = [] {
        QTcpServer probe;
        if (!probe.listen(QHostAddress(QHostAddress::LocalHost), 0))
            Fuzz::fail("no free loopback port");
        return int(probe.serverPort());
    }();
    return port;
}

} // namespace

// Whatever a browser (or anything else on this machine) sends to the listener: it answers or ignores the
// request, and the capture then ends with a code or one of its own errors, never hangs or crashes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fuzz::ensureApplication();
    FakeClock clock;
    GoogleLoopbackOAuthServer server(clock);
    // A fixed state, so that inputs can carry the matching one and reach the code past the check.
    server.start(loopbackPort(), QStringLiteral("fuzz"));
    if (!server.isListening())
        Fuzz::fail("listener did not start");

    // The first byte picks how the bytes arrive: on a connection that stays open for the answer (the request
    // line completed if need be), or followed at once by the peer closing.
    const bool keepOpen = size > 0 && (data[0] & 1) != 0;
    QByteArray request = size > 0 ? Fuzz::bytes(data + 1, size - 1) : QByteArray();
    if (keepOpen && !request.contains("\r\n"))
        request.append("\r\n");

    QTcpSocket client;
    client.connectToHost(QHostAddress(QHostAddress::LocalHost), quint16(server.port()));
    if (!client.waitForConnected(2000))
        Fuzz::fail("could not connect to the listener");
    client.write(request);
    if (!keepOpen)
        client.disconnectFromHost();

    // Open: the listener closes the connection once it answered. Closed: nothing more to see than whether it
    // finished, so give it a moment.
    const QDeadlineTimer settle(keepOpen ? 5000 : 50);
    while (!server.isFinished() && !settle.hasExpired() &&
           (!keepOpen || client.state() == QAbstractSocket::ConnectedState))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (keepOpen && !server.isFinished() && client.state() == QAbstractSocket::ConnectedState)
        Fuzz::fail("the listener neither answered nor closed");
    // A request the listener keeps waiting after (nothing sent, a side request) is ended as the sign-in
    // would.
    if (!server.isFinished())
        server.cancel();

    auto outcome = Fuzz::run(server.result(), std::chrono::seconds(2));
    if (outcome.error) {
        try {
            std::rethrow_exception(outcome.error);
        } catch (const GoogleOAuthError&) {
        } catch (...) {
            Fuzz::fail("the capture ended with a foreign error");
        }
    } else {
        FUZZ_CHECK(!outcome.value->isEmpty());
    }
    FUZZ_CHECK(!server.isListening());
    return 0;
}
