#pragma once

#include "model/enum_names.h"

#include <QList>
#include <QString>
#include <optional>
#include <qobjectdefs.h>

namespace NotificationStyles {
Q_NAMESPACE

// How reactions are shown: a full-screen celebration card or a quiet corner toast.
enum class NotificationStyle { celebration, subtle };
Q_ENUM_NS(NotificationStyle)

inline const QList<NotificationStyle>& allCases() {
    return EnumNames::allCases<NotificationStyle>();
}
inline QString rawValue(NotificationStyle style) {
    return EnumNames::rawValue(style);
}
inline std::optional<NotificationStyle> fromRawValue(const QString& raw) {
    return EnumNames::fromRawValue<NotificationStyle>(raw);
}
QString title(NotificationStyle style);
} // namespace NotificationStyles

using NotificationStyles::NotificationStyle;
