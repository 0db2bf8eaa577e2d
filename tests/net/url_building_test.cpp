#include "net/url_building.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

using UrlBuilding::QueryItem;

namespace {

struct SegmentCase {
    const char* name;
    QString text;
    QString encoded;
};

void PrintTo(const SegmentCase& c, std::ostream* os) {
    *os << c.name;
}

class PathSegmentTest : public ::testing::TestWithParam<SegmentCase> {};

TEST_P(PathSegmentTest, EncodesOneSegment) {
    EXPECT_EQ(UrlBuilding::encodePathSegment(GetParam().text), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathSegmentTest,
    ::testing::Values(
        SegmentCase{"plain", QStringLiteral("123456"), QStringLiteral("123456")},
        SegmentCase{"slash", QStringLiteral("a/b"), QStringLiteral("a%2Fb")},
        SegmentCase{"query_and_fragment", QStringLiteral("a?b#c"), QStringLiteral("a%3Fb%23c")},
        SegmentCase{"percent", QStringLiteral("50%25"), QStringLiteral("50%2525")},
        SegmentCase{"space", QStringLiteral("a b"), QStringLiteral("a%20b")},
        SegmentCase{"non_ascii", QStringLiteral("caf\u00e9 \u2603"), QStringLiteral("caf%C3%A9%20%E2%98%83")},
        SegmentCase{"domain_property", QStringLiteral("sc-domain:example.com"),
                    QStringLiteral("sc-domain:example.com")},
        SegmentCase{"url_prefix_property", QStringLiteral("https://example.com/"),
                    QStringLiteral("https:%2F%2Fexample.com%2F")},
        SegmentCase{"sub_delimiters", QStringLiteral("a+b&c=d;e,f"), QStringLiteral("a%2Bb%26c%3Dd%3Be%2Cf")},
        SegmentCase{"backslash_and_at", QStringLiteral("a\\b@c"), QStringLiteral("a%5Cb%40c")},
        SegmentCase{"dots_kept", QStringLiteral("a..b"), QStringLiteral("a..b")},
        SegmentCase{"empty", QString(), QString()}),
    [](const auto& info) { return std::string(info.param.name); });

struct UrlCase {
    const char* name;
    QString path;
    QList<QueryItem> query;
    QByteArray expected;
};

void PrintTo(const UrlCase& c, std::ostream* os) {
    *os << c.name;
}

class BuildUrlTest : public ::testing::TestWithParam<UrlCase> {};

// The encoded form is what QNetworkAccessManager puts on the wire, so QUrl must not re-decode anything.
TEST_P(BuildUrlTest, KeepsEncodingOnTheWire) {
    const QUrl url =
        UrlBuilding::buildUrl(QStringLiteral("https://api.example.com"), GetParam().path, GetParam().query);
    ASSERT_TRUE(url.isValid()) << url.errorString().toStdString();
    EXPECT_EQ(url.toEncoded(), GetParam().expected);
    EXPECT_EQ(url.host(), QStringLiteral("api.example.com"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BuildUrlTest,
    ::testing::Values(
        UrlCase{"no_query", QStringLiteral("/v1/balance"), {}, "https://api.example.com/v1/balance"},
        UrlCase{"bracketed_names_repeat_in_order",
                QStringLiteral("/v1/charges"),
                {{QStringLiteral("limit"), QStringLiteral("100")},
                 {QStringLiteral("created[gte]"), QStringLiteral("1700000000")},
                 {QStringLiteral("expand[]"), QStringLiteral("data.customer")},
                 {QStringLiteral("expand[]"), QStringLiteral("data.invoice")}},
                "https://api.example.com/v1/charges?limit=100&created%5Bgte%5D=1700000000"
                "&expand%5B%5D=data.customer&expand%5B%5D=data.invoice"},
        UrlCase{"reserved_characters_in_values",
                QStringLiteral("/x"),
                {{QStringLiteral("q"), QStringLiteral("a+b&c=d#e/f?g")}, {QStringLiteral("e"), QString()}},
                "https://api.example.com/x?q=a%2Bb%26c%3Dd%23e%2Ff%3Fg&e="},
        UrlCase{"space_and_non_ascii",
                QStringLiteral("/x"),
                {{QStringLiteral("name"), QStringLiteral("J\u00fcrgen Smith")}},
                "https://api.example.com/x?name=J%C3%BCrgen%20Smith"},
        UrlCase{
            "encoded_segments",
            UrlBuilding::pathFromSegments({QStringLiteral("webmasters"), QStringLiteral("v3"),
                                           QStringLiteral("sites"), QStringLiteral("https://example.com/"),
                                           QStringLiteral("searchAnalytics"), QStringLiteral("query")}),
            {},
            "https://api.example.com/webmasters/v3/sites/https:%2F%2Fexample.com%2F/searchAnalytics/query"},
        UrlCase{"identifier_cannot_add_query",
                UrlBuilding::pathFromSegments({QStringLiteral("websites"), QStringLiteral("abc?period=all#x"),
                                               QStringLiteral("stats")}),
                {{QStringLiteral("period"), QStringLiteral("today")}},
                "https://api.example.com/websites/abc%3Fperiod%3Dall%23x/stats?period=today"}),
    [](const auto& info) { return std::string(info.param.name); });

// An identifier of dots would make the server resolve "/websites/../stats" to "/stats".
TEST(BuildUrl, RefusesDotSegments) {
    for (const QString& identifier : {QStringLiteral(".."), QStringLiteral(".")}) {
        const QString path =
            UrlBuilding::pathFromSegments({QStringLiteral("websites"), identifier, QStringLiteral("stats")});
        EXPECT_FALSE(UrlBuilding::buildUrl(QStringLiteral("https://api.example.com"), path).isValid())
            << path.toStdString();
    }
    EXPECT_TRUE(
        UrlBuilding::buildUrl(QStringLiteral("https://api.example.com"),
                              UrlBuilding::pathFromSegments({QStringLiteral("..."), QStringLiteral(".x")}))
            .isValid());
}

TEST(BuildUrl, BaseWithPortKeepsPort) {
    const QUrl url = UrlBuilding::buildUrl(QStringLiteral("http://127.0.0.1:8765"), QStringLiteral("/token"));
    EXPECT_EQ(url.port(), 8765);
    EXPECT_EQ(url.toEncoded(), QByteArray("http://127.0.0.1:8765/token"));
}

TEST(EncodeQuery, FormBodyMatchesQueryEncoding) {
    EXPECT_EQ(
        UrlBuilding::encodeQuery(
            {{QStringLiteral("code"), QStringLiteral("4/0A b+c")},
             {QStringLiteral("redirect_uri"), QStringLiteral("http://127.0.0.1:8765/oauth/callback")}}),
        QByteArray("code=4%2F0A%20b%2Bc&redirect_uri=http%3A%2F%2F127.0.0.1%3A8765%2Foauth%2Fcallback"));
    EXPECT_TRUE(UrlBuilding::encodeQuery({}).isEmpty());
}

} // namespace
