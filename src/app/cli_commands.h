#pragma once

#include <QCoroTask>
#include <QString>

class AppContext;
class CommandConsole;

// The one-shot commands. Each returns the process exit status and talks to the user through `console`.
namespace CliCommands {
int status(AppContext& context, bool json, CommandConsole& console);
// `target` is "stripe" or "datafast"; credentials are read from the console's input.
QCoro::Task<int> connect(AppContext& context, QString target, CommandConsole& console);
// `target` is "stripe", "datafast" or "google".
QCoro::Task<int> disconnect(AppContext& context, QString target, CommandConsole& console);
} // namespace CliCommands
