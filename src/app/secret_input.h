#pragma once

#include <QString>
#include <optional>

// Reads credentials from standard input, never from the command line (where other users could read them).
namespace SecretInput {
// True when standard input is a terminal.
bool isInteractive();
// One line without its line break; on a terminal the prompt goes to standard error and typing is not
// echoed. Nothing at end of input.
std::optional<QString> readLine(const QString& prompt, bool hidden);
} // namespace SecretInput
