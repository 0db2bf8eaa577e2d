#include "private_keyring_sandbox.h"
#include "support/local_http_server.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>
#include <iterator>

namespace {

constexpr const char* statsPath = "/api/v1/websites/my%20site%2F%C3%BC/stats";

QJsonObject pollDocument(PrivateKeyringSandbox& sandbox, int expectedExit) {
    const auto poll = sandbox.run({QStringLiteral("headless"), QStringLiteral("--once"),
                                   QStringLiteral("--json"), QStringLiteral("--mute")});
    EXPECT_TRUE(poll.finished);
    EXPECT_EQ(poll.exitCode, expectedExit) << poll.err.toStdString();
    return QJsonDocument::fromJson(poll.out).object();
}

TEST(DatafastHeadlessCli, ConnectPollAndAFailedReplacementKeepTheWorkingKey) {
    if (!PrivateKeyringSandbox::available())
        GTEST_SKIP() << "needs dbus-run-session and gnome-keyring-daemon";
    LocalHttpServer server;
    server.setFallback([](const LocalHttpServer::RecordedRequest& r) {
        if (r.rawPath != statsPath || r.rawQuery != "period=today")
            return LocalHttpServer::Response::json(404, R"({"error":"not found"})");
        if (r.header("Authorization") != "Bearer df_live_1")
            return LocalHttpServer::Response::json(401, R"({"error":"unauthorized"})");
        return LocalHttpServer::Response::json(
            200, R"({"visitors":120,"sessions":150,"revenue":99.25,"goals":4,"bounceRate":0.4})");
    });
    PrivateKeyringSandbox sandbox;
    sandbox.setEnv(QStringLiteral("ZINGBOARD_DATAFAST_API_BASE"), server.baseUrl());
    const QStringList connect = {QStringLiteral("connect"), QStringLiteral("datafast")};

    // Key on the first line, website id on the second, both trimmed; the id holds a blank, a slash and a
    // non-ASCII letter, which travel as one encoded path segment.
    const auto connected = sandbox.run(connect, QString::fromUtf8("df_live_1\n my site/\u00FC \n").toUtf8());
    ASSERT_TRUE(connected.finished);
    ASSERT_EQ(connected.exitCode, 0) << connected.err.toStdString();
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests().first().rawPath, QByteArray(statsPath));

    // What the service said, and nothing made up: two polls of an unchanged service agree, and nothing fires.
    const struct {
        const char* metric;
        double value;
    } expected[] = {
        {"datafastVisitors", 120},   {"visitorsToday", 120},     {"datafastSessions", 150},
        {"pageviewsToday", 315},     {"datafastRevenue", 99.25}, {"datafastGoals", 4},
        {"goalCompletionsToday", 4},
    };
    QJsonObject previous;
    for (int poll = 0; poll < 2; ++poll) {
        const QJsonObject document = pollDocument(sandbox, 0);
        EXPECT_TRUE(document.value(QStringLiteral("lastError")).isNull());
        EXPECT_TRUE(document.value(QStringLiteral("reactions")).toArray().isEmpty());
        const QJsonObject snapshot = document.value(QStringLiteral("snapshots"))
                                         .toObject()
                                         .value(QStringLiteral("datafast"))
                                         .toObject();
        const QJsonObject values = snapshot.value(QStringLiteral("values")).toObject();
        EXPECT_EQ(values.size(), std::size(expected));
        for (const auto& e : expected)
            EXPECT_NEAR(values.value(QLatin1String(e.metric)).toDouble(-1), e.value, 1e-9) << e.metric;
        EXPECT_EQ(snapshot.value(QStringLiteral("displaySummary")).toString(),
                  QString::fromUtf8("120 visitors \u00B7 $99 revenue"));
        if (poll == 1) {
            EXPECT_EQ(values, previous.value(QStringLiteral("values")).toObject());
        }
        previous = snapshot;
    }

    // A rejected key fails with the check's text and leaves the working credentials in place.
    const auto rejected = sandbox.run(connect, "df_typo\nmy site/\u00FC\n");
    ASSERT_TRUE(rejected.finished);
    EXPECT_EQ(rejected.exitCode, 1);
    EXPECT_TRUE(rejected.err.contains("Datafast rejected that key or website ID."))
        << rejected.err.toStdString();
    const QJsonObject after = pollDocument(sandbox, 0);
    EXPECT_TRUE(after.value(QStringLiteral("snapshots")).toObject().contains(QStringLiteral("datafast")));
    EXPECT_EQ(server.requests().constLast().header("Authorization"), "Bearer df_live_1");

    // Disconnected, it is polled no more.
    const qsizetype before = server.requests().size();
    EXPECT_EQ(sandbox.run({QStringLiteral("disconnect"), QStringLiteral("datafast")}).exitCode, 0);
    const QJsonObject disconnected = pollDocument(sandbox, 0);
    EXPECT_FALSE(
        disconnected.value(QStringLiteral("snapshots")).toObject().contains(QStringLiteral("datafast")));
    EXPECT_EQ(server.requests().size(), before);
}

} // namespace
