#include "fuzz_support.h"
#include "providers/decoding_error.h"
#include "providers/stripe/stripe_charge_details_mapper.h"
#include "providers/stripe/stripe_list_response.h"
#include "providers/stripe/stripe_metric_values.h"
#include <cmath>

// A charges listing page, then everything computed from its charges.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StripeListResponse page;
    try {
        page = StripeListResponse::decode(Fuzz::bytes(data, size));
    } catch (const DecodingError&) {
        return 0;
    }
    for (const StripeChargePayload& charge : page.data)
        (void)StripeChargeDetailsMapper::map(charge);
    const auto values = StripeMetricValues::compute(page.data, page.data, page.data, SubscriptionStats{});
    // Whole-cent amounts can only ever sum to finite figures.
    for (double value : values)
        FUZZ_CHECK(std::isfinite(value));
    (void)StripeMetricValues::displaySummary(values.value(MetricKind::revenueToday), 0);
    return 0;
}
