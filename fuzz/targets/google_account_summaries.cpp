#include "fuzz_support.h"
#include "providers/decoding_error.h"
#include "providers/google/google_resource_parsing.h"

// One page of the GA4 account summaries, sorted as the picker shows it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GoogleResourceParsing::AccountSummariesPage page;
    try {
        page = GoogleResourceParsing::parseAccountSummaries(Fuzz::bytes(data, size));
    } catch (const DecodingError&) {
        return 0;
    }
    // An empty token would ask for the first page again, for ever.
    FUZZ_CHECK(!page.nextPageToken || !page.nextPageToken->isEmpty());
    const qsizetype count = page.properties.size();
    GoogleResourceParsing::sortByName(page.properties);
    FUZZ_CHECK(page.properties.size() == count);
    return 0;
}
