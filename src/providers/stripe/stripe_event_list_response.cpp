#include "providers/stripe/stripe_event_list_response.h"

#include "model/c_format.h"
#include "providers/decoding_error.h"
#include "providers/provider_request.h"

#include <QJsonArray>

StripeEventListResponse StripeEventListResponse::decode(const QByteArray& body) {
    const QJsonObject object = ProviderRequest::decodeObject(body);
    const QJsonValue data = object.value(QLatin1String("data"));
    if (!data.isArray())
        throw DecodingError(QStringLiteral("The events listing has no \"data\" array."));
    const QJsonArray events = data.toArray();
    StripeEventListResponse response;
    response.data.reserve(events.size());
    for (qsizetype i = 0; i < events.size(); ++i) {
        auto envelope = StripeEventEnvelope::fromJson(events.at(i));
        if (!envelope)
            throw DecodingError(cFormat("The event at index %lld of the listing could not be read.",
                                        static_cast<long long>(i)));
        response.data.append(std::move(*envelope));
    }
    return response;
}
