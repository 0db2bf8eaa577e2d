#include "fuzz_support.h"
#include "providers/decoding_error.h"
#include "providers/stripe/stripe_event_list_response.h"
#include "providers/stripe/stripe_event_mapper.h"
#include "providers/stripe/stripe_events_cursor.h"

#include <QDateTime>

// An events listing, mapped and absorbed as the poll does: the first listing primes, the second reports.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StripeEventListResponse list;
    try {
        list = StripeEventListResponse::decode(Fuzz::bytes(data, size));
    } catch (const DecodingError&) {
        return 0;
    }
    for (const StripeEventEnvelope& envelope : list.data)
        FUZZ_CHECK(StripeEventMapper::map(envelope).size() <= 1);

    static const QDateTime since(QDate(2026, 12, 7), QTime(9, 0), Qt::UTC);
    StripeEventsCursor cursor;
    FUZZ_CHECK(cursor.absorb(list.data, since).isEmpty());
    FUZZ_CHECK(cursor.isPrimed());
    // The same events again are never reported twice.
    const QList<ProviderEvent> again = cursor.absorb(list.data, since);
    FUZZ_CHECK(again.size() <= list.data.size());
    return 0;
}
