#include "support/qt_printers.h"
#include "support/scripted_http_client.h"

#include "net/transport_error.h"
#include "support/run_task.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

HttpRequest requestTo(const char* url) {
    HttpRequest request;
    request.url = QUrl(QString::fromLatin1(url));
    return request;
}

TEST(ScriptedHttpClient, AnswersFromQueueThenHandlerAndRecordsEveryRequest) {
    ScriptedHttpClient client;
    client.enqueue(200, "first");
    client.enqueueTransportError(QStringLiteral("offline"));
    client.setHandler([](const HttpRequest& request) {
        return HttpResponse{404, {}, request.url.path().toUtf8()};
    });

    EXPECT_EQ(TestTasks::run(client.send(requestTo("https://a.test/1"))).body, QByteArray("first"));
    try {
        TestTasks::run(client.send(requestTo("https://a.test/2")));
        ADD_FAILURE() << "expected the queued transport failure";
    } catch (const TransportError& error) {
        EXPECT_EQ(error.description(), QStringLiteral("offline"));
    }
    const HttpResponse handled = TestTasks::run(client.send(requestTo("https://a.test/3")));
    EXPECT_EQ(handled.status, 404);
    EXPECT_EQ(handled.body, QByteArray("/3"));

    ASSERT_EQ(client.requests().size(), 3);
    EXPECT_EQ(client.requests()[1].url.path(), QStringLiteral("/2"));
    EXPECT_EQ(client.lastRequest().url.path(), QStringLiteral("/3"));
    EXPECT_EQ(client.remainingAnswers(), 0);
}

TEST(ScriptedHttpClient, UnexpectedRequestFailsTheTestAndThrows) {
    ScriptedHttpClient client;
    bool threw = false;
    EXPECT_NONFATAL_FAILURE(
        {
            try {
                TestTasks::run(client.send(requestTo("https://a.test/none")));
            } catch (const TransportError&) {
                threw = true;
            }
        },
        "https://a.test/none");
    EXPECT_TRUE(threw);
}

} // namespace
