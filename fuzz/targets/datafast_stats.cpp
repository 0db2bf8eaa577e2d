#include "providers/datafast/datafast_stats.h"
#include "fuzz_support.h"
#include "providers/decoding_error.h"

#include <cmath>

// A statistics answer and the figures derived from it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DatafastStats stats;
    try {
        stats = DatafastStats::parse(Fuzz::bytes(data, size));
    } catch (const DecodingError&) {
        return 0;
    }
    // JSON cannot carry a NaN or an infinity, so nothing read from it may be one.
    for (const auto& figure : {stats.sessions, stats.visitors, stats.revenue, stats.goals})
        FUZZ_CHECK(!figure || std::isfinite(*figure));
    (void)stats.metricValues();
    (void)stats.displaySummary();
    return 0;
}
