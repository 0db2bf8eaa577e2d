#include "fuzz_support.h"
#include "google/browser_opener.h"
#include "google/google_oauth_manager.h"
#include "net/service_endpoints.h"
#include "support/fake_clock.h"
#include "support/scripted_random_source.h"

#include <QUrl>
#include <array>

namespace {

class NoBrowser final : public BrowserOpener {
public:
    bool openUrl(const QUrl&) override { return false; }
};

// The first byte picks the status, the rest is the token endpoint's body; both the code exchange and the
// refresh read it.
void exercise(int status, const QByteArray& body) {
    Fuzz::CannedHttpClient http(status, body);
    FakeClock clock;
    ScriptedRandomSource random;
    const ServiceEndpoints endpoints;
    NoBrowser browser;
    GoogleOAuthManager manager(http, clock, random, endpoints,
                               GoogleOAuthConfig{QStringLiteral("fuzz-client"), std::nullopt}, browser, 1);

    auto exchanged =
        Fuzz::run(manager.exchangeCode(QStringLiteral("code"), QStringLiteral("verifier"),
                                       QStringLiteral("fuzz-client"), GoogleOAuthManager::redirectUri(1)),
                  std::chrono::seconds(5));
    Fuzz::expectZingErrorOrNothing(exchanged.error);
    if (exchanged.value) {
        FUZZ_CHECK(status >= 200 && status < 400);
        FUZZ_CHECK(exchanged.value->expiresAt.isValid());
    }

    auto refreshed = Fuzz::run(manager.refresh(QStringLiteral("refresh-token")), std::chrono::seconds(5));
    Fuzz::expectZingErrorOrNothing(refreshed.error);
    if (refreshed.value) {
        FUZZ_CHECK(refreshed.value->refreshToken.has_value());
        FUZZ_CHECK(refreshed.value->expiresAt.isValid());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static constexpr std::array<int, 8> statuses{200, 201, 400, 401, 500, 302, 0, 999};
    Fuzz::ensureApplication();
    if (size == 0)
        return 0;
    exercise(statuses[data[0] % statuses.size()], Fuzz::bytes(data + 1, size - 1));
    return 0;
}
