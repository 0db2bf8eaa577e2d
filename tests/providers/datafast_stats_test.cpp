#include "providers/datafast/datafast_stats.h"

#include "providers/decoding_error.h"

#include <QFile>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray testData(const char* name) {
    QFile file(QStringLiteral(ZINGBOARD_TEST_DATA_DIR "/datafast/") + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing test data " << name;
    return file.readAll();
}

constexpr std::nullopt_t none = std::nullopt;

struct ParseCase {
    const char* name;
    QByteArray body;
    DatafastStats expected;
};

TEST(DatafastStats, ParsesRealisticBodies) {
    const ParseCase cases[] = {
        {"every member, plus members of its own", testData("stats_full.json"), {1834, 1290, 249.5, 17}},
        {"null, string and object members count as missing",
         testData("stats_partial.json"),
         {none, 88, none, none}},
        {"floats, exponents and a zero; nested look-alikes ignored",
         testData("stats_floats.json"),
         {12, 9, 150, 0}},
        {"an array carries no figures", testData("stats_array.json"), {}},
        {"empty object", "{}", {}},
        {"bare number", "42", {}},
        {"null document", "null", {}},
        {"nested array", "[[{\"sessions\":1}]]", {}},
        {"negative and fractional figures are kept as sent",
         R"({"sessions":-1,"revenue":0.004})",
         {-1, none, 0.004, none}},
        {"booleans are not numbers", R"({"visitors":true,"goals":false})", {}},
        {"surrounding white space", " \n{\"visitors\": 5}\r\n ", {none, 5, none, none}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DatafastStats::parse(c.body), c.expected) << c.name;
}

TEST(DatafastStats, BodiesThatAreNotJsonFail) {
    const QByteArray bodies[] = {
        testData("stats_html.html"),
        "",
        "{\"sessions\": 3",
        "{\"sessions\": 3}}",
        "sessions=3&visitors=4",
        "1,2",
        // The parser refuses numbers beyond double range rather than turning them into infinity.
        R"({"revenue":1e999,"goals":2})",
        "{}]",
        "   ",
        QByteArray("\xff\xfe{\x00}", 5),
    };
    for (const QByteArray& body : bodies) {
        try {
            DatafastStats::parse(body);
            ADD_FAILURE() << "accepted " << body.toStdString();
        } catch (const DecodingError& error) {
            EXPECT_TRUE(
                error.description().startsWith(QStringLiteral("The statistics answer is not valid JSON")))
                << error.description().toStdString();
        }
    }
}

// Arbitrary bytes, and every cut of a real answer, either parse or fail with DecodingError: nothing else.
TEST(DatafastStats, SurvivesAnyBytes) {
    const QByteArray full = testData("stats_full.json");
    std::vector<QByteArray> bodies;
    for (qsizetype length = 0; length <= full.size(); ++length)
        bodies.push_back(full.left(length));
    std::mt19937 generator(20261207);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 400; ++i) {
        QByteArray noise(i % 97, '\0');
        for (char& c : noise)
            c = char(byte(generator));
        bodies.push_back(noise);
        // Mutations of a real answer reach deeper into the parser than plain noise.
        QByteArray mutated = full;
        mutated[qsizetype(generator() % quint32(mutated.size()))] = char(byte(generator));
        bodies.push_back(mutated);
    }
    bodies.push_back(QByteArray(5000, '[') + QByteArray(5000, ']'));
    for (const QByteArray& body : bodies) {
        try {
            const DatafastStats stats = DatafastStats::parse(body);
            stats.metricValues();
            stats.displaySummary();
        } catch (const DecodingError&) {
        }
    }
}

TEST(DatafastStats, MetricValuesFollowTheirSourceFigure) {
    const struct {
        const char* name;
        DatafastStats stats;
        QHash<MetricKind, double> expected;
    } cases[] = {
        {"all four",
         {1834, 1290, 249.5, 17},
         {{MetricKind::datafastSessions, 1834},
          {MetricKind::datafastVisitors, 1290},
          {MetricKind::datafastRevenue, 249.5},
          {MetricKind::datafastGoals, 17},
          {MetricKind::visitorsToday, 1290},
          {MetricKind::pageviewsToday, 1834 * 2.1},
          {MetricKind::goalCompletionsToday, 17}}},
        {"without sessions there are no page views either",
         {none, 10, 5, 1},
         {{MetricKind::datafastVisitors, 10},
          {MetricKind::datafastRevenue, 5},
          {MetricKind::datafastGoals, 1},
          {MetricKind::visitorsToday, 10},
          {MetricKind::goalCompletionsToday, 1}}},
        {"without visitors and goals",
         {3, none, none, none},
         {{MetricKind::datafastSessions, 3}, {MetricKind::pageviewsToday, 3 * 2.1}}},
        {"zero figures are reported, not dropped",
         {0, none, 0, none},
         {{MetricKind::datafastSessions, 0},
          {MetricKind::pageviewsToday, 0},
          {MetricKind::datafastRevenue, 0}}},
        {"nothing known", {}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.stats.metricValues(), c.expected) << c.name;
}

TEST(DatafastStats, DisplaySummary) {
    const struct {
        DatafastStats stats;
        const char* expected;
    } cases[] = {
        {{1834, 1290, 249.5, 17}, "1290 visitors \u00B7 $250 revenue"},
        {{none, 7, none, none}, "7 visitors"},
        {{none, none, 12345.4, none}, "$12345 revenue"},
        {{5, none, none, 2}, "No statistics reported"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.stats.displaySummary(), QString::fromUtf8(c.expected));
}

} // namespace
