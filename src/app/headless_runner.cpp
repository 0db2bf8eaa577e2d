#include "app/headless_runner.h"

#include "app/app_context.h"
#include "app/cli_output.h"
#include "app/reaction_feed.h"
#include "engine/app_state.h"
#include "model/c_format.h"
#include "model/clock.h"

#include <QPointer>
#include <algorithm>

HeadlessRunner::HeadlessRunner(AppContext& context, Options options, std::FILE* out, std::FILE* err,
                               QObject* parent)
    : QObject(parent), m_context(context), m_options(options), m_out(out), m_err(err) {}

HeadlessRunner::~HeadlessRunner() = default;

void HeadlessRunner::write(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    // Every line is flushed as it is written, so a pipe sees it at once.
    std::fflush(stream);
}

void HeadlessRunner::start() {
    AppState& state = m_context.state();
    if (m_options.demo)
        state.setDemoModeEnabled(true);

    m_feed = new ReactionFeed(state.reactionStore(), this);
    connect(m_feed, &ReactionFeed::reactionFired, this, &HeadlessRunner::onReaction);
    connect(&state, &AppState::lastErrorChanged, this, &HeadlessRunner::onLastErrorChanged);

    if (m_options.once) {
        runOnce();
        return;
    }
    connect(&state, &AppState::pollFinished, this, &HeadlessRunner::onPollFinished);
    if (!m_options.json) {
        const double interval = std::max(state.settings().pollIntervalSeconds, 15.0);
        write(m_err,
              cFormat("Zingboard is watching your numbers every %g s. Press Ctrl-C to stop.\n", interval)
                  .toUtf8());
    }
    state.startPolling();
}

QCoro::Task<void> HeadlessRunner::runOnce() {
    QPointer<HeadlessRunner> self(this);
    AppState& state = m_context.state();
    co_await state.pollOnce();
    if (!self || m_finished)
        co_return;
    if (m_options.json) {
        write(m_out, CliOutput::jsonLine(CliOutput::pollDocument(state.lastPollAt(), state.lastError(),
                                                                 state.snapshots(), m_pollReactions)));
    } else {
        for (const MetricSnapshot& snapshot : state.snapshots())
            write(m_out, (CliOutput::labelledSummary(snapshot) + QLatin1Char('\n')).toUtf8());
    }
    state.saveAll();
    m_finished = true;
    Q_EMIT finished(state.lastError() ? 1 : 0);
}

void HeadlessRunner::stop() {
    if (m_finished)
        return;
    m_finished = true;
    m_context.state().saveAll();
    Q_EMIT finished(0);
}

void HeadlessRunner::onReaction(const ActiveReaction& reaction) {
    if (m_finished)
        return;
    m_pollReactions.append(reaction);
    if (m_options.json) {
        // With --once the document carries them; only the stream prints them one by one.
        if (!m_options.once)
            write(m_out, CliOutput::jsonLine(CliOutput::typed(QStringLiteral("reaction"),
                                                              CliOutput::reactionJson(reaction))));
        return;
    }
    write(m_out,
          (CliOutput::reactionLine(reaction, m_context.clock().timeZone()) + QLatin1Char('\n')).toUtf8());
}

void HeadlessRunner::onPollFinished() {
    if (m_finished)
        return;
    AppState& state = m_context.state();
    if (m_options.json)
        write(m_out,
              CliOutput::jsonLine(CliOutput::typed(
                  QStringLiteral("poll"), CliOutput::pollDocument(state.lastPollAt(), state.lastError(),
                                                                  state.snapshots(), m_pollReactions))));
    else
        printFiguresIfChanged();
    m_pollReactions.clear();
}

void HeadlessRunner::printFiguresIfChanged() {
    const AppState& state = m_context.state();
    QMap<IntegrationProvider, MetricSnapshot> figures = state.snapshots();
    for (MetricSnapshot& snapshot : figures)
        snapshot.fetchedAt = QDateTime();
    if (figures == m_printedFigures || !state.lastPollAt())
        return;
    m_printedFigures = figures;
    if (figures.isEmpty())
        return;
    write(m_out,
          (CliOutput::figuresLine(*state.lastPollAt(), m_context.clock().timeZone(), state.snapshots()) +
           QLatin1Char('\n'))
              .toUtf8());
}

void HeadlessRunner::onLastErrorChanged() {
    const std::optional<QString>& error = m_context.state().lastError();
    if (error == m_reportedError)
        return;
    m_reportedError = error;
    if (error)
        write(m_err, (QStringLiteral("zingboard: ") + *error + QLatin1Char('\n')).toUtf8());
}
