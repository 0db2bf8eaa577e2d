#pragma once

#include <QCoroTask>
#include <QString>
#include <cstdio>

class AppContext;

// The one-shot commands. Each returns the process exit status; messages go to `out`, errors to `err`.
namespace CliCommands {
int status(AppContext& context, bool json, std::FILE* out);
// `target` is "stripe", "datafast" or "google"; credentials come from standard input.
QCoro::Task<int> connect(AppContext& context, QString target, std::FILE* out, std::FILE* err);
QCoro::Task<int> disconnect(AppContext& context, QString target, std::FILE* out, std::FILE* err);
} // namespace CliCommands
