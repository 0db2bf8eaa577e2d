#include "fuzz_support.h"
#include "providers/decoding_error.h"
#include "providers/google/google_resource_parsing.h"

// The Search Console site list, sorted as the picker shows it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QList<GscSiteOption> sites;
    try {
        sites = GoogleResourceParsing::parseSites(Fuzz::bytes(data, size));
    } catch (const DecodingError&) {
        return 0;
    }
    const qsizetype count = sites.size();
    GoogleResourceParsing::sortBySiteUrl(sites);
    FUZZ_CHECK(sites.size() == count);
    return 0;
}
