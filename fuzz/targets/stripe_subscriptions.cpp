#include "fuzz_support.h"
#include "providers/decoding_error.h"
#include "providers/stripe/stripe_subscription_page.h"
#include "providers/stripe/subscription_stats.h"

#include <QDateTime>

// A subscriptions listing page and the figures computed from it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StripeSubscriptionPage page;
    try {
        page = StripeSubscriptionPage::decode(Fuzz::bytes(data, size));
    } catch (const DecodingError&) {
        return 0;
    }
    static const QDateTime recentStart(QDate(2026, 11, 30), QTime(0, 0), Qt::UTC);
    const SubscriptionStats stats = SubscriptionStats::compute(page.data, recentStart);
    // Counts are counts: never negative, never more than the listed subscriptions.
    FUZZ_CHECK(stats.subscribers >= 0 && stats.subscribers <= page.data.size());
    FUZZ_CHECK(stats.trials >= 0 && stats.trials <= page.data.size());
    FUZZ_CHECK(stats.newSubscribers >= 0 && stats.newSubscribers <= page.data.size());
    return 0;
}
