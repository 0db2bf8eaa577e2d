#include "app/google_connect_command.h"

#include "app/app_context.h"
#include "app/command_console.h"
#include "engine/google_connect_flow.h"
#include "google/browser_opener.h"
#include "google/google_oauth_error.h"
#include "google/google_oauth_manager.h"
#include "google/xdg_browser_opener.h"
#include "model/zing_error.h"

#include <exception>
#include <functional>
#include <memory>

namespace GoogleConnectCommand {

namespace {

// Prints the address (the listener is up by the time it is asked to) and, unless told not to, hands it to
// the desktop's browser too. Printing is enough to go on with, so a browser that fails to start is only a
// warning here.
class PrintingOpener final : public BrowserOpener {
public:
    PrintingOpener(bool launch, CommandConsole& console) : m_launch(launch), m_console(console) {}
    bool openUrl(const QUrl& url) override {
        m_console.out(QStringLiteral("Open this address to sign in to Google:\n") +
                      url.toString(QUrl::FullyEncoded) + QLatin1Char('\n'));
        if (m_launch && !XdgBrowserOpener().openUrl(url))
            m_console.err(QStringLiteral("Could not open your browser for Google sign-in.\n"));
        return true;
    }

private:
    bool m_launch;
    CommandConsole& m_console;
};

QString propertyLine(int number, const Ga4PropertyOption& option) {
    QString line = QStringLiteral("  %1. %2 (%3)").arg(number).arg(option.name, option.id);
    if (option.account)
        line += QStringLiteral(" \u2014 ") + *option.account;
    return line + QLatin1Char('\n');
}

QString siteLine(int number, const GscSiteOption& option) {
    QString line = QStringLiteral("  %1. %2").arg(number).arg(option.siteUrl);
    if (option.permissionLevel)
        line += QStringLiteral(" (") + *option.permissionLevel + QLatin1Char(')');
    return line + QLatin1Char('\n');
}

// On a terminal, asks for a list number (or the identifier itself); empty input skips.
QCoro::Task<std::optional<QString>> askChoice(CommandConsole& console, QString prompt,
                                              QStringList identifiers) {
    const std::optional<QString> answer = co_await console.readLine(prompt, false);
    if (!answer || answer->trimmed().isEmpty())
        co_return std::nullopt;
    bool isNumber = false;
    const int number = answer->trimmed().toInt(&isNumber);
    if (isNumber && number >= 1 && number <= identifiers.size())
        co_return identifiers.at(number - 1);
    co_return answer->trimmed();
}

} // namespace

QCoro::Task<int> run(AppContext& context, Options options, CommandConsole& console) {
    GoogleConnectFlow flow(context.state(), context.googleOAuth(), context.google());
    if (!flow.isConfigured()) {
        console.err(GoogleOAuthError::notConfigured().description() + QLatin1Char('\n'));
        co_return 1;
    }

    PrintingOpener opener(!options.noBrowser, console);
    GoogleOAuthManager& oauth = context.googleOAuth();
    BrowserOpener& previousOpener = oauth.browserOpener();
    oauth.setBrowserOpener(opener);
    const std::unique_ptr<BrowserOpener, std::function<void(BrowserOpener*)>> restore(
        &previousOpener, [&oauth](BrowserOpener* previous) { oauth.setBrowserOpener(*previous); });
    GoogleConnectFlow::Resources resources;
    try {
        co_await flow.signIn();
        console.out(QStringLiteral("Signed in to Google.\n"));
        resources = co_await flow.loadResources();
    } catch (const std::exception& error) {
        const QString description = describeError(error);
        console.err(shortErrorText(description) + QLatin1Char('\n'));
        if (GoogleConnectFlow::meansSessionExpired(description))
            console.err(
                QStringLiteral("Google session expired \u2014 reconnect to refresh your property list.\n"));
        co_return 1;
    }

    QString listing = QStringLiteral("Google Analytics 4 properties:\n");
    QStringList propertyIds;
    for (const Ga4PropertyOption& option : resources.properties) {
        propertyIds.append(option.id);
        listing += propertyLine(int(propertyIds.size()), option);
    }
    if (propertyIds.isEmpty())
        listing += QStringLiteral("  (none)\n");
    listing += QStringLiteral("Search Console sites:\n");
    QStringList siteUrls;
    for (const GscSiteOption& option : resources.sites) {
        siteUrls.append(option.siteUrl);
        listing += siteLine(int(siteUrls.size()), option);
    }
    if (siteUrls.isEmpty())
        listing += QStringLiteral("  (none)\n");
    console.out(listing);

    // Flags decide; without them a terminal is asked, anything else leaves the choice as it was.
    std::optional<QString> property = options.gaProperty;
    std::optional<QString> site = options.gscSite;
    if (console.isInteractive()) {
        if (!property && !propertyIds.isEmpty())
            property = co_await askChoice(console, QStringLiteral("GA4 property number (Enter to skip): "),
                                          propertyIds);
        if (!site && !siteUrls.isEmpty())
            site = co_await askChoice(console, QStringLiteral("Search Console site number (Enter to skip): "),
                                      siteUrls);
    }

    // Both are checked before either is applied, so a mistyped one changes nothing.
    const std::optional<Ga4PropertyOption> chosenProperty =
        property ? GoogleConnectFlow::findProperty(resources.properties, *property) : std::nullopt;
    if (property && !chosenProperty) {
        console.err(QStringLiteral("No Google Analytics property \"") + *property +
                    QStringLiteral("\" in the list above.\n"));
        co_return 1;
    }
    if (site && !siteUrls.contains(*site)) {
        console.err(QStringLiteral("No Search Console site \"") + *site +
                    QStringLiteral("\" in the list above.\n"));
        co_return 1;
    }
    if (chosenProperty) {
        co_await flow.chooseGa4Property(resources.properties, chosenProperty->id);
        console.out(QStringLiteral("Google Analytics: ") + chosenProperty->name + QStringLiteral(" (") +
                    chosenProperty->id + QStringLiteral(")\n"));
    }
    if (site) {
        co_await flow.chooseGscSite(resources.sites, *site);
        console.out(QStringLiteral("Search Console: ") + *site + QLatin1Char('\n'));
    }
    if (!chosenProperty && !site)
        console.out(
            QStringLiteral("No property or site chosen; run again with --ga-property or --gsc-site.\n"));
    co_return 0;
}

} // namespace GoogleConnectCommand
