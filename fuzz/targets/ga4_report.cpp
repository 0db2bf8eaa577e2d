#include "fuzz_support.h"
#include "providers/analytics/ga4_metric_values.h"
#include "providers/decoding_error.h"

#include <cmath>

// A Data API report and the poll's figures computed from it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Ga4Report::Result result;
    try {
        result = Ga4Report::parse(Fuzz::bytes(data, size));
    } catch (const DecodingError&) {
        return 0;
    }
    for (double value : result)
        FUZZ_CHECK(std::isfinite(value));
    const Ga4MetricValues values{result, result, result, result};
    (void)values.values();
    (void)values.displaySummary();
    return 0;
}
