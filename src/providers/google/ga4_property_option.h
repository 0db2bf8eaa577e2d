#pragma once

#include <QString>
#include <optional>

// One Google Analytics 4 property the signed-in user can choose.
struct Ga4PropertyOption {
    // The resource name as the API gives it: "properties/" and the numeric id.
    QString id;
    // The display name, or `id` when the API gave none.
    QString name;
    // The enclosing account's display name.
    std::optional<QString> account;

    bool operator==(const Ga4PropertyOption&) const = default;
};
