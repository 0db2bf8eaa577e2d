#include "google/google_oauth_config.h"
#include "support/qt_printers.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

struct ConfigCase {
    const char* name;
    QString compiledId;
    QString compiledSecret;
    QMap<QString, QString> environment;
    std::optional<QString> clientId;
    std::optional<QString> clientSecret;
};

void PrintTo(const ConfigCase& c, std::ostream* os) {
    *os << c.name;
}

class GoogleOAuthConfigTest : public ::testing::TestWithParam<ConfigCase> {};

TEST_P(GoogleOAuthConfigTest, ResolvesCompiledValuesAndEnvironment) {
    const ConfigCase& c = GetParam();
    const GoogleOAuthConfig config = GoogleOAuthConfig::resolve(
        c.compiledId, c.compiledSecret, [&c](const QString& name) -> std::optional<QString> {
            if (!c.environment.contains(name))
                return std::nullopt;
            return c.environment.value(name);
        });
    EXPECT_EQ(config.clientId, c.clientId);
    EXPECT_EQ(config.clientSecret, c.clientSecret);
    EXPECT_EQ(config.isConfigured(), c.clientId.has_value());
}

const QString idVar = QStringLiteral("ZINGBOARD_GOOGLE_OAUTH_CLIENT_ID");
const QString secretVar = QStringLiteral("ZINGBOARD_GOOGLE_OAUTH_CLIENT_SECRET");

INSTANTIATE_TEST_SUITE_P(
    Cases, GoogleOAuthConfigTest,
    ::testing::Values(
        ConfigCase{"nothing_anywhere", {}, {}, {}, std::nullopt, std::nullopt},
        ConfigCase{"compiled_only",
                   QStringLiteral("built.apps"),
                   QStringLiteral("s3"),
                   {},
                   QStringLiteral("built.apps"),
                   QStringLiteral("s3")},
        ConfigCase{"environment_wins",
                   QStringLiteral("built.apps"),
                   {},
                   {{idVar, QStringLiteral("env.apps")}, {secretVar, QStringLiteral("env-secret")}},
                   QStringLiteral("env.apps"),
                   QStringLiteral("env-secret")},
        ConfigCase{"empty_environment_switches_it_off",
                   QStringLiteral("built.apps"),
                   QStringLiteral("s3"),
                   {{idVar, QString()}, {secretVar, QString()}},
                   std::nullopt,
                   std::nullopt},
        ConfigCase{"unexpanded_placeholder",
                   QStringLiteral("$(GOOGLE_OAUTH_CLIENT_ID)"),
                   {},
                   {},
                   std::nullopt,
                   std::nullopt},
        ConfigCase{"placeholder_from_environment",
                   {},
                   {},
                   {{idVar, QStringLiteral("$(X)")}},
                   std::nullopt,
                   std::nullopt},
        ConfigCase{"dollar_without_parenthesis_is_a_value",
                   QStringLiteral("$abc"),
                   {},
                   {},
                   QStringLiteral("$abc"),
                   std::nullopt},
        ConfigCase{"secret_without_id", {}, QStringLiteral("s3"), {}, std::nullopt, QStringLiteral("s3")}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
