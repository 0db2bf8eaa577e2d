#include "providers/stripe/stripe_charge_payload.h"

#include "model/currency_format.h"

#include "providers/stripe/strict_json_reader.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

using Charge = StripeChargePayload;

// Reads an optional member that must be an object; `read` turns the object into the record.
template <typename T, typename ReadObject>
std::optional<T> optionalObject(StrictJsonReader& reader, const QJsonObject& parent, QLatin1String key,
                                ReadObject read) {
    const auto value = StrictJsonReader::presentValue(parent, key);
    if (!value)
        return std::nullopt;
    if (!value->isObject()) {
        reader.fail();
        return std::nullopt;
    }
    return read(value->toObject());
}

// Like optionalObject, but a bare id string is accepted and handed to `fromId`.
template <typename T, typename ReadObject, typename FromId>
std::optional<T> objectOrId(StrictJsonReader& reader, const QJsonObject& parent, QLatin1String key,
                            ReadObject read, FromId fromId) {
    const auto value = StrictJsonReader::presentValue(parent, key);
    if (!value)
        return std::nullopt;
    if (value->isString())
        return fromId(value->toString());
    if (!value->isObject()) {
        reader.fail();
        return std::nullopt;
    }
    return read(value->toObject());
}

Charge::Product readProduct(StrictJsonReader& reader, const QJsonObject& object) {
    return Charge::Product{reader.optionalString(object, QLatin1String("name"))};
}

Charge::Price readPrice(StrictJsonReader& reader, const QJsonObject& object) {
    Charge::Price price;
    price.nickname = reader.optionalString(object, QLatin1String("nickname"));
    price.product = objectOrId<Charge::Product>(
        reader, object, QLatin1String("product"),
        [&](const QJsonObject& o) { return readProduct(reader, o); },
        [](const QString&) { return Charge::Product{}; });
    return price;
}

Charge::LineItem readLineItem(StrictJsonReader& reader, const QJsonObject& object) {
    Charge::LineItem item;
    item.description = reader.optionalString(object, QLatin1String("description"));
    item.price = optionalObject<Charge::Price>(reader, object, QLatin1String("price"),
                                               [&](const QJsonObject& o) { return readPrice(reader, o); });
    return item;
}

Charge::LineList readLineList(StrictJsonReader& reader, const QJsonObject& object) {
    Charge::LineList lines;
    const QJsonValue data = object.value(QLatin1String("data"));
    if (!data.isArray()) {
        reader.fail();
        return lines;
    }
    const QJsonArray items = data.toArray();
    lines.data.reserve(items.size());
    for (const QJsonValue& item : items) {
        if (!item.isObject()) {
            reader.fail();
            return lines;
        }
        lines.data.append(readLineItem(reader, item.toObject()));
        if (!reader.ok())
            return lines;
    }
    return lines;
}

Charge::ExpandedInvoice readInvoice(StrictJsonReader& reader, const QJsonObject& object) {
    Charge::ExpandedInvoice invoice;
    invoice.lines =
        optionalObject<Charge::LineList>(reader, object, QLatin1String("lines"),
                                         [&](const QJsonObject& o) { return readLineList(reader, o); });
    invoice.billing_reason = reader.optionalString(object, QLatin1String("billing_reason"));
    invoice.subscription = objectOrId<Charge::SubscriptionRef>(
        reader, object, QLatin1String("subscription"),
        [&](const QJsonObject& o) {
            return Charge::SubscriptionRef{reader.optionalString(o, QLatin1String("id"))};
        },
        [](const QString& id) { return Charge::SubscriptionRef{id}; });
    return invoice;
}

std::optional<QMap<QString, QString>> readMetadata(StrictJsonReader& reader, const QJsonObject& parent) {
    return optionalObject<QMap<QString, QString>>(reader, parent, QLatin1String("metadata"),
                                                  [&](const QJsonObject& o) {
                                                      QMap<QString, QString> entries;
                                                      for (auto it = o.begin(); it != o.end(); ++it) {
                                                          if (!it.value().isString()) {
                                                              reader.fail();
                                                              break;
                                                          }
                                                          entries.insert(it.key(), it.value().toString());
                                                      }
                                                      return entries;
                                                  });
}

} // namespace

std::optional<StripeChargePayload> StripeChargePayload::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    StrictJsonReader reader;
    Charge charge;
    charge.id = reader.requiredString(object, QLatin1String("id"));
    charge.amount = reader.requiredInteger(object, QLatin1String("amount"));
    charge.amount_refunded = reader.optionalInteger(object, QLatin1String("amount_refunded"));
    charge.currency = reader.optionalString(object, QLatin1String("currency"));
    charge.paid = reader.requiredBool(object, QLatin1String("paid"));
    charge.refunded = reader.requiredBool(object, QLatin1String("refunded"));
    charge.created = reader.requiredDouble(object, QLatin1String("created"));
    charge.description = reader.optionalString(object, QLatin1String("description"));
    charge.receipt_email = reader.optionalString(object, QLatin1String("receipt_email"));
    if (!reader.ok())
        return std::nullopt;
    charge.billing_details = optionalObject<BillingDetails>(
        reader, object, QLatin1String("billing_details"), [&](const QJsonObject& o) {
            return BillingDetails{reader.optionalString(o, QLatin1String("name")),
                                  reader.optionalString(o, QLatin1String("email"))};
        });
    charge.metadata = readMetadata(reader, object);
    charge.customer = objectOrId<ExpandedCustomer>(
        reader, object, QLatin1String("customer"),
        [&](const QJsonObject& o) {
            return ExpandedCustomer{reader.optionalString(o, QLatin1String("name")),
                                    reader.optionalString(o, QLatin1String("email"))};
        },
        [](const QString&) { return ExpandedCustomer{}; });
    charge.invoice = objectOrId<ExpandedInvoice>(
        reader, object, QLatin1String("invoice"),
        [&](const QJsonObject& o) { return readInvoice(reader, o); },
        [](const QString&) { return ExpandedInvoice{}; });
    if (!reader.ok())
        return std::nullopt;
    return charge;
}

QString StripeChargePayload::currencyCode() const {
    return currency && !currency->isEmpty() ? currency->toUpper() : CurrencyFormat::defaultCode();
}
