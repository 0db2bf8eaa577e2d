#include "app/stdio_console.h"

#include "app/cli_output.h"
#include "app/secret_input.h"

void StdioConsole::out(const QString& text) {
    CliOutput::print(m_out, text);
}

void StdioConsole::err(const QString& text) {
    CliOutput::print(m_err, text);
}

bool StdioConsole::isInteractive() const {
    return SecretInput::isInteractive();
}

QCoro::Task<std::optional<QString>> StdioConsole::readLine(QString prompt, bool hidden) {
    co_return SecretInput::readLine(prompt, hidden);
}
