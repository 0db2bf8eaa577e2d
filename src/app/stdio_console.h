#pragma once

#include "app/command_console.h"

#include <cstdio>

// The console of this process: standard output, standard error and standard input.
class StdioConsole final : public CommandConsole {
public:
    explicit StdioConsole(std::FILE* out = stdout, std::FILE* err = stderr) : m_out(out), m_err(err) {}

    void out(const QString& text) override;
    void err(const QString& text) override;
    bool isInteractive() const override;
    QCoro::Task<std::optional<QString>> readLine(QString prompt, bool hidden) override;

private:
    std::FILE* m_out;
    std::FILE* m_err;
};
