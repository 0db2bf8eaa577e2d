// One Stripe poll's decoding and arithmetic (three charge listings of 100, 100 subscriptions, 100 events
// against 10,000 already seen ids), measured against the floor of parsing the same bytes with QJsonDocument.
#include "providers/stripe/stripe_event_list_response.h"
#include "providers/stripe/stripe_events_cursor.h"
#include "providers/stripe/stripe_list_response.h"
#include "providers/stripe/stripe_metric_values.h"
#include "providers/stripe/stripe_subscription_page.h"
#include "providers/stripe/subscription_stats.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr qint64 kNow = 1796655600;

QJsonArray fixture(const char* name) {
    QFile file(QStringLiteral(ZINGBOARD_TEST_DATA_DIR "/stripe/") + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return QJsonDocument::fromJson(file.readAll()).object().value(QLatin1String("data")).toArray();
}

// `count` objects cycled from `templates`, each with its own id and a `created` stepping back from `newest`.
QByteArray listing(const QJsonArray& templates, int count, const char* prefix, qint64 newest, qint64 step) {
    QJsonArray data;
    for (int i = 0; i < count; ++i) {
        QJsonObject object = templates.at(i % templates.size()).toObject();
        object.insert(QStringLiteral("id"), QStringLiteral("%1_%2").arg(QString::fromLatin1(prefix)).arg(i));
        object.insert(QStringLiteral("created"), newest - i * step);
        data.append(object);
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("object"), QStringLiteral("list")},
                                     {QStringLiteral("data"), data},
                                     {QStringLiteral("has_more"), false}})
        .toJson(QJsonDocument::Compact);
}

QJsonArray withoutUnreadable(const QJsonArray& charges) {
    QJsonArray readable;
    for (const QJsonValue& charge : charges) {
        if (StripeChargePayload::fromJson(charge))
            readable.append(charge);
    }
    return readable;
}

struct PollBytes {
    QByteArray today, week, month, subscriptions, events;
    StripeEventsCursor primedCursor;
    QDateTime since = QDateTime::fromSecsSinceEpoch(kNow - 3600, Qt::UTC);

    PollBytes() {
        const QJsonArray charges = withoutUnreadable(fixture("account_charges.json"));
        today = listing(charges, 100, "ch_today", kNow - 10, 300);
        week = listing(charges, 100, "ch_week", kNow - 10, 5000);
        month = listing(charges, 100, "ch_month", kNow - 10, 25000);
        subscriptions = listing(fixture("account_subscriptions.json"), 100, "sub", kNow - 10, 20000);
        events = listing(fixture("events.json"), 100, "evt_new", kNow - 10, 30);

        QList<StripeEventEnvelope> seen;
        for (int i = 0; i < 10000; ++i) {
            StripeEventEnvelope envelope;
            envelope.id = QStringLiteral("evt_seen_%1").arg(i);
            envelope.type = QStringLiteral("charge.succeeded");
            envelope.created = double(kNow - 3000 + i % 2000);
            seen.append(envelope);
        }
        primedCursor.absorb(seen, since);
    }
};

const PollBytes& bytes() {
    static const PollBytes poll;
    return poll;
}

void BM_StripePoll(benchmark::State& state) {
    const PollBytes& poll = bytes();
    const QDateTime recentStart = QDateTime::fromSecsSinceEpoch(kNow - 7 * 86400, Qt::UTC);
    qint64 reported = 0;
    for (auto _ : state) {
        state.PauseTiming();
        StripeEventsCursor cursor = poll.primedCursor;
        cursor.absorb({}, poll.since); // takes its own copy of the 10,000 ids outside the measurement
        state.ResumeTiming();

        const auto today = StripeListResponse::decode(poll.today).data;
        const auto week = StripeListResponse::decode(poll.week).data;
        const auto month = StripeListResponse::decode(poll.month).data;
        const auto stats =
            SubscriptionStats::compute(StripeSubscriptionPage::decode(poll.subscriptions).data, recentStart);
        const auto values = StripeMetricValues::compute(today, week, month, stats);
        benchmark::DoNotOptimize(values);
        const auto events = cursor.absorb(StripeEventListResponse::decode(poll.events).data, poll.since);
        reported += events.size();
    }
    if (reported != qint64(state.iterations()) * 70) // 7 of each 10 fixture events give an event
        state.SkipWithError("unexpected number of reported events");
}

void BM_JsonFloor(benchmark::State& state) {
    const PollBytes& poll = bytes();
    for (auto _ : state) {
        for (const QByteArray* body :
             {&poll.today, &poll.week, &poll.month, &poll.subscriptions, &poll.events})
            benchmark::DoNotOptimize(QJsonDocument::fromJson(*body));
    }
}

BENCHMARK(BM_JsonFloor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StripePoll)->Unit(benchmark::kMicrosecond);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.iterations > 0)
                m_times[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    double ratio() const {
        const auto floor = m_times.find("BM_JsonFloor");
        const auto poll = m_times.find("BM_StripePoll");
        if (floor == m_times.end() || poll == m_times.end() || floor->second <= 0)
            return -1;
        return poll->second / floor->second;
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (reporter.ratio() > 0)
        std::printf("Stripe poll / QJsonDocument floor: %.2f (aim: under 2)\n", reporter.ratio());
    benchmark::Shutdown();
    return 0;
}
