#pragma once

#include "providers/metric_provider.h"
#include "support/manual_gate.h"

#include <QList>
#include <QStringList>
#include <exception>
#include <functional>
#include <variant>

// A provider whose answers a test scripts. Queued answers are used first, in order; once the queue is empty
// fetchMetrics answers the standing snapshot (or fails when none is set) and fetchEvents an empty list.
// Closing a gate holds the next calls at their start until the test opens it.
class FakeMetricProvider final : public MetricProvider {
public:
    explicit FakeMetricProvider(IntegrationProvider provider) : m_provider(provider) {}

    IntegrationProvider provider() const override { return m_provider; }
    QCoro::Task<MetricSnapshot> fetchMetrics() override;
    QCoro::Task<QList<ProviderEvent>> fetchEvents(QDateTime since) override;
    void resetEventsState() override { ++m_resets; }

    // The answer when nothing is queued. Its provider is set to this provider's.
    void setStandingMetrics(QHash<MetricKind, double> values);
    void queueMetrics(QHash<MetricKind, double> values);
    // The currency of the snapshots set or queued from now on.
    void setCurrencyCode(QString code) { m_currencyCode = std::move(code); }
    // The summary line of the snapshots set or queued from now on.
    void setDisplaySummary(QString summary) { m_displaySummary = std::move(summary); }
    void setFetchedAt(QDateTime at) { m_fetchedAt = std::move(at); }
    void queueMetricsError(std::exception_ptr error) { m_metrics.append(error); }
    void queueEvents(QList<ProviderEvent> events) { m_events.append(std::move(events)); }
    void queueEventsError(std::exception_ptr error) { m_events.append(error); }
    // Runs inside the call, after the gate (to change engine state while a poll is suspended, etc.).
    void setBeforeEventsReturn(std::function<void()> hook) { m_beforeEventsReturn = std::move(hook); }

    // Shared between fakes to check the order of calls: "<raw provider>:metrics" / ":events".
    void setCallLog(QStringList* log) { m_callLog = log; }

    ManualGate metricsGate;
    ManualGate eventsGate;

    int metricsCalls() const { return m_metricsCalls; }
    const QList<QDateTime>& eventSinces() const { return m_eventSinces; }
    int resets() const { return m_resets; }

private:
    MetricSnapshot snapshotOf(QHash<MetricKind, double> values) const;

    IntegrationProvider m_provider;
    QString m_currencyCode = CurrencyFormat::defaultCode();
    QString m_displaySummary = QStringLiteral("fake");
    QDateTime m_fetchedAt;
    std::optional<MetricSnapshot> m_standing;
    QList<std::variant<MetricSnapshot, std::exception_ptr>> m_metrics;
    QList<std::variant<QList<ProviderEvent>, std::exception_ptr>> m_events;
    std::function<void()> m_beforeEventsReturn;
    QStringList* m_callLog = nullptr;
    int m_metricsCalls = 0;
    QList<QDateTime> m_eventSinces;
    int m_resets = 0;
};
