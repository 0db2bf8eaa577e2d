#pragma once

#include <QCoroTask>
#include <QString>
#include <optional>

// Where a one-shot command talks to its user: this process's terminal, or the terminal of a later
// `zingboard` that handed the command to the running instance.
class CommandConsole {
public:
    virtual ~CommandConsole() = default;

    // UTF-8 text, flushed at once so that a script reading a pipe sees each line as it happens.
    virtual void out(const QString& text) = 0;
    virtual void err(const QString& text) = 0;
    // True when the user's standard input is a terminal.
    virtual bool isInteractive() const = 0;
    // One line of the user's standard input without its line break; on a terminal the prompt is shown and,
    // when hidden, typing is not echoed. Nothing at end of input.
    virtual QCoro::Task<std::optional<QString>> readLine(QString prompt, bool hidden) = 0;
};
