#pragma once

#include <QCoroTask>
#include <QString>
#include <optional>

class AppContext;
class CommandConsole;

// `zingboard connect google`: the browser sign-in, then the property and site lists, then the choices applied
// as the Google connect panel applies them.
namespace GoogleConnectCommand {

struct Options {
    // Only print the authorization address.
    bool noBrowser = false;
    // "properties/123456" or "123456".
    std::optional<QString> gaProperty;
    std::optional<QString> gscSite;
};

// The exit status: 0 once signed in and every given choice applied, 1 after printing the failure.
QCoro::Task<int> run(AppContext& context, Options options, CommandConsole& console);

} // namespace GoogleConnectCommand
