#include "app/instance/instance_frame.h"
#include "app/instance/instance_request.h"

#include <QJsonDocument>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray rawFrame(const QByteArray& payload, std::optional<quint32> announced = std::nullopt) {
    QByteArray header(4, Qt::Uninitialized);
    qToBigEndian(announced.value_or(quint32(payload.size())), header.data());
    return header + payload;
}

QJsonObject object(const char* json) {
    return QJsonDocument::fromJson(QByteArray(json)).object();
}

} // namespace

TEST(InstanceFrame, MessagesSurviveAnySplitOfTheStream) {
    const QJsonObject first{{QStringLiteral("type"), QStringLiteral("out")},
                            {QStringLiteral("text"), QStringLiteral("Stripe connected. \u2713\n")}};
    const QJsonObject second{{QStringLiteral("type"), QStringLiteral("exit")}, {QStringLiteral("status"), 0}};
    const QByteArray stream = InstanceFrame::encode(first) + InstanceFrame::encode(second);
    // Every cut, including inside the length header, must give the same two messages.
    for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
        InstanceFrame::Decoder decoder;
        ASSERT_TRUE(decoder.feed(stream.left(cut)));
        ASSERT_TRUE(decoder.feed(stream.mid(cut)));
        ASSERT_TRUE(decoder.hasMessage()) << cut;
        EXPECT_EQ(decoder.takeMessage(), first);
        ASSERT_TRUE(decoder.hasMessage()) << cut;
        EXPECT_EQ(decoder.takeMessage(), second);
        EXPECT_FALSE(decoder.hasMessage());
        EXPECT_EQ(decoder.pendingBytes(), 0);
    }
}

TEST(InstanceFrame, MalformedStreamsFailAndStayFailed) {
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty frame", rawFrame({})},
        {"announces more than the limit", rawFrame("{}", quint32(InstanceFrame::kMaxPayloadBytes + 1))},
        {"announces 4 GiB", rawFrame("{}", 0xFFFFFFFFu)},
        {"not JSON", rawFrame("hello")},
        {"JSON array", rawFrame("[1,2]")},
        {"JSON text", rawFrame("\"text\"")},
        {"cut-off JSON", rawFrame("{\"type\":")},
        {"good frame then garbage", InstanceFrame::encode(object(R"({"type":"wait"})")) + rawFrame("nope")},
    };
    for (const auto& c : cases) {
        InstanceFrame::Decoder decoder;
        EXPECT_FALSE(decoder.feed(c.bytes)) << c.name;
        EXPECT_TRUE(decoder.failed()) << c.name;
        // Nothing half-read is handed out, and later good frames do not revive the stream.
        EXPECT_FALSE(decoder.hasMessage()) << c.name;
        EXPECT_FALSE(decoder.feed(InstanceFrame::encode(object(R"({"type":"wait"})")))) << c.name;
        EXPECT_EQ(decoder.pendingBytes(), 0) << c.name;
    }
}

TEST(InstanceFrame, LargestFrameFitsAndLargerIsNotEncoded) {
    const QString filler(InstanceFrame::kMaxPayloadBytes - 12, QLatin1Char('x'));
    const QJsonObject fits{{QStringLiteral("t"), filler}}; // {"t":"…"} is 8 bytes around the text
    const QByteArray frame = InstanceFrame::encode(fits);
    ASSERT_FALSE(frame.isEmpty());
    InstanceFrame::Decoder decoder;
    EXPECT_TRUE(decoder.feed(frame));
    EXPECT_TRUE(decoder.hasMessage());

    const QJsonObject tooLarge{{QStringLiteral("t"), filler + QStringLiteral("xxxxxxxxxx")}};
    EXPECT_TRUE(InstanceFrame::encode(tooLarge).isEmpty());
}

TEST(InstanceRequest, WhatThisVersionSendsComesBackTheSame) {
    InstanceRequest google;
    google.command = InstanceRequest::Command::connect;
    google.target = QStringLiteral("google");
    google.interactive = true;
    google.noBrowser = true;
    google.gaProperty = QStringLiteral("properties/123");
    google.gscSite = QStringLiteral("sc-domain:example.com");
    InstanceRequest open;
    open.demo = true;
    InstanceRequest status;
    status.command = InstanceRequest::Command::status;
    status.json = true;

    for (const InstanceRequest& sent : {google, open, status}) {
        QString problem;
        const std::optional<InstanceRequest> received = InstanceRequest::fromJson(sent.toJson(), &problem);
        ASSERT_TRUE(received) << problem.toStdString();
        EXPECT_EQ(received->command, sent.command);
        EXPECT_EQ(received->target, sent.target);
        EXPECT_EQ(received->demo, sent.demo);
        EXPECT_EQ(received->json, sent.json);
        EXPECT_EQ(received->interactive, sent.interactive);
        EXPECT_EQ(received->noBrowser, sent.noBrowser);
        EXPECT_EQ(received->gaProperty, sent.gaProperty);
        EXPECT_EQ(received->gscSite, sent.gscSite);
    }
}

TEST(InstanceRequest, RefusesWhatThisVersionWouldNeverSend) {
    const struct {
        const char* json;
        const char* why;
    } cases[] = {
        {R"({"type":"answer","version":1,"command":"status"})", "not a request"},
        {R"({"type":"request","command":"status"})", "no version"},
        {R"({"type":"request","version":2,"command":"status"})", "later version"},
        {R"({"type":"request","version":"1","command":"status"})", "version as text"},
        {R"({"type":"request","version":1,"command":"quit"})", "unknown command"},
        {R"({"type":"request","version":1})", "no command"},
        {R"({"type":"request","version":1,"command":"connect"})", "connect without target"},
        {R"({"type":"request","version":1,"command":"connect","target":"paypal"})", "unknown target"},
        {R"({"type":"request","version":1,"command":"disconnect","target":7})", "target not text"},
        {R"({"type":"request","version":1,"command":"status","target":"stripe"})", "target on status"},
        {R"({"type":"request","version":1,"command":"open","demo":"yes"})", "flag as text"},
        {R"({"type":"request","version":1,"command":"status","json":1})", "flag as number"},
        {R"({"type":"request","version":1,"command":"connect","target":"google","gaProperty":5})",
         "property not text"},
    };
    for (const auto& c : cases) {
        QString problem;
        EXPECT_FALSE(InstanceRequest::fromJson(object(c.json), &problem)) << c.why;
        EXPECT_FALSE(problem.isEmpty()) << c.why;
    }

    InstanceRequest google;
    google.command = InstanceRequest::Command::connect;
    google.target = QStringLiteral("google");
    QJsonObject longSite = google.toJson();
    longSite.insert(QStringLiteral("gscSite"), QString(5000, QLatin1Char('a')));
    QString problem;
    EXPECT_FALSE(InstanceRequest::fromJson(longSite, &problem));
}
