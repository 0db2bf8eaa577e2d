#include "app/cli_commands.h"

#include "app/app_context.h"
#include "app/cli_output.h"
#include "app/command_console.h"
#include "app/credential_connector.h"
#include "engine/app_state.h"
#include "model/clock.h"
#include "model/zing_error.h"
#include "reactions/sound_locations.h"

#include <QJsonObject>
#include <QJsonValue>

#include <exception>

namespace CliCommands {

int status(AppContext& context, bool json, CommandConsole& console) {
    const AppState& state = context.state();
    // Where the shipped clips were found tells an installation that lost its data folder apart.
    const QStringList clipFolders = SoundLocations::standard().builtInFolders;
    if (json) {
        QJsonObject document = CliOutput::statusJson(state.settings(), state.integrations());
        document.insert(QStringLiteral("builtInSounds"),
                        clipFolders.isEmpty() ? QJsonValue() : QJsonValue(clipFolders.first()));
        console.out(QString::fromUtf8(CliOutput::jsonLine(document)));
    } else {
        console.out(
            CliOutput::statusText(state.settings(), state.integrations(), context.clock().timeZone()) +
            QStringLiteral("Built-in sounds: ") +
            (clipFolders.isEmpty() ? QStringLiteral("not found") : clipFolders.first()) + QLatin1Char('\n'));
    }
    return 0;
}

QCoro::Task<int> connect(AppContext& context, QString target, CommandConsole& console) {
    CredentialConnector connector(context.state(), context.keychain());
    try {
        if (target == QLatin1String("stripe")) {
            const QString key = (co_await console.readLine(
                                     QStringLiteral("Stripe secret key (rk_live_… or sk_live_…): "), true))
                                    .value_or(QString());
            co_await connector.connectStripe(key);
            console.out(QStringLiteral("Stripe connected.\n"));
        } else {
            const QString key = (co_await console.readLine(QStringLiteral("Datafast API key (df_…): "), true))
                                    .value_or(QString());
            const QString site =
                (co_await console.readLine(QStringLiteral("Website ID: "), false)).value_or(QString());
            co_await connector.connectDatafast(key, site);
            console.out(QStringLiteral("Datafast connected.\n"));
        }
    } catch (const std::exception& error) {
        console.err(shortErrorText(describeError(error)) + QLatin1Char('\n'));
        co_return 1;
    }
    co_return 0;
}

QCoro::Task<int> disconnect(AppContext& context, QString target, CommandConsole& console) {
    AppState& state = context.state();
    if (target == QLatin1String("google")) {
        co_await state.disconnectGoogle();
        console.out(QStringLiteral("Google disconnected.\n"));
    } else if (target == QLatin1String("stripe")) {
        co_await state.disconnectProvider(IntegrationProvider::stripe);
        console.out(QStringLiteral("Stripe disconnected.\n"));
    } else {
        co_await state.disconnectProvider(IntegrationProvider::datafast);
        console.out(QStringLiteral("Datafast disconnected.\n"));
    }
    co_return 0;
}

} // namespace CliCommands
