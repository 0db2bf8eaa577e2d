#include "fuzz_support.h"
#include "providers/decoding_error.h"
#include "providers/searchconsole/gsc_query_totals.h"

// A search-analytics answer and the figures computed from it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GscQueryTotals totals;
    try {
        totals = GscQueryTotals::parse(Fuzz::bytes(data, size));
    } catch (const DecodingError&) {
        return 0;
    }
    (void)totals.values();
    (void)totals.displaySummary();
    return 0;
}
