#include "providers/stripe/stripe_list_response.h"

#include "model/c_format.h"
#include "providers/decoding_error.h"
#include "providers/provider_request.h"

#include <QJsonArray>

StripeListResponse StripeListResponse::decode(const QByteArray& body) {
    const QJsonObject object = ProviderRequest::decodeObject(body);
    const QJsonValue data = object.value(QLatin1String("data"));
    if (!data.isArray())
        throw DecodingError(QStringLiteral("The charges listing has no \"data\" array."));
    const QJsonArray charges = data.toArray();
    StripeListResponse response;
    response.data.reserve(charges.size());
    for (qsizetype i = 0; i < charges.size(); ++i) {
        auto charge = StripeChargePayload::fromJson(charges.at(i));
        if (!charge)
            throw DecodingError(cFormat("The charge at index %lld of the listing could not be read.",
                                        static_cast<long long>(i)));
        response.data.append(std::move(*charge));
    }
    // Paging is an addition on top of the one required member, so anything but `true` means the end.
    response.has_more = object.value(QLatin1String("has_more")).toBool(false);
    return response;
}
