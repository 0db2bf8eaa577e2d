#pragma once

#include "engine/active_reaction.h"
#include "model/metric_snapshot.h"

#include <QCoroTask>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <cstdio>
#include <optional>

class AppContext;
class ReactionFeed;

// The engine without a window: polls, plays sounds and prints every fired reaction (and, with JSON, every
// poll; in text, the figures whenever they changed) on standard output; poll errors go to standard error when
// they change.
class HeadlessRunner : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool demo = false;
        bool once = false;
        bool json = false;
    };

    HeadlessRunner(AppContext& context, Options options, std::FILE* out = stdout, std::FILE* err = stderr,
                   QObject* parent = nullptr);
    ~HeadlessRunner() override;

    // Starts at once; finished() carries the exit status.
    void start();
    // Saves the documents and finishes with status 0 (Ctrl-C, SIGTERM, window closed).
    void stop();

Q_SIGNALS:
    void finished(int exitStatus);

private:
    QCoro::Task<void> runOnce();
    void onReaction(const ActiveReaction& reaction);
    void onPollFinished();
    void printFiguresIfChanged();
    void onLastErrorChanged();
    void write(std::FILE* stream, const QByteArray& bytes);

    AppContext& m_context;
    Options m_options;
    std::FILE* m_out;
    std::FILE* m_err;
    ReactionFeed* m_feed = nullptr;
    QList<ActiveReaction> m_pollReactions;
    std::optional<QString> m_reportedError;
    // The snapshots of the last figures line, without their fetch times.
    QMap<IntegrationProvider, MetricSnapshot> m_printedFigures;
    bool m_finished = false;
};
