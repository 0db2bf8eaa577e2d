#include "app/cli_commands.h"

#include "app/app_context.h"
#include "app/cli_output.h"
#include "app/credential_connector.h"
#include "app/secret_input.h"
#include "engine/app_state.h"
#include "model/clock.h"
#include "model/zing_error.h"

#include <exception>

namespace CliCommands {

namespace {} // namespace

int status(AppContext& context, bool json, std::FILE* out) {
    const AppState& state = context.state();
    if (json)
        CliOutput::print(out, QString::fromUtf8(CliOutput::jsonLine(
                                  CliOutput::statusJson(state.settings(), state.integrations()))));
    else
        CliOutput::print(
            out, CliOutput::statusText(state.settings(), state.integrations(), context.clock().timeZone()));
    return 0;
}

QCoro::Task<int> connect(AppContext& context, QString target, std::FILE* out, std::FILE* err) {
    CredentialConnector connector(context.state(), context.keychain());
    try {
        if (target == QLatin1String("stripe")) {
            const QString key =
                SecretInput::readLine(QStringLiteral("Stripe secret key (rk_live_… or sk_live_…): "), true)
                    .value_or(QString());
            co_await connector.connectStripe(key);
            CliOutput::print(out, QStringLiteral("Stripe connected.\n"));
        } else {
            const QString key =
                SecretInput::readLine(QStringLiteral("Datafast API key (df_…): "), true).value_or(QString());
            const QString site =
                SecretInput::readLine(QStringLiteral("Website ID: "), false).value_or(QString());
            co_await connector.connectDatafast(key, site);
            CliOutput::print(out, QStringLiteral("Datafast connected.\n"));
        }
    } catch (const std::exception& error) {
        CliOutput::print(err, shortErrorText(describeError(error)) + QLatin1Char('\n'));
        co_return 1;
    }
    co_return 0;
}

QCoro::Task<int> disconnect(AppContext& context, QString target, std::FILE* out, std::FILE* err) {
    Q_UNUSED(err);
    AppState& state = context.state();
    if (target == QLatin1String("google")) {
        co_await state.disconnectGoogle();
        CliOutput::print(out, QStringLiteral("Google disconnected.\n"));
    } else if (target == QLatin1String("stripe")) {
        state.disconnectProvider(IntegrationProvider::stripe);
        CliOutput::print(out, QStringLiteral("Stripe disconnected.\n"));
    } else {
        state.disconnectProvider(IntegrationProvider::datafast);
        CliOutput::print(out, QStringLiteral("Datafast disconnected.\n"));
    }
    co_return 0;
}

} // namespace CliCommands
