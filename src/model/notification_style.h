#pragma once

#include <QList>
#include <QString>
#include <optional>

// How reactions are shown: a full-screen celebration card or a quiet corner toast.
enum class NotificationStyle { celebration, subtle };

namespace NotificationStyles {
const QList<NotificationStyle>& allCases();
QString rawValue(NotificationStyle style);
std::optional<NotificationStyle> fromRawValue(const QString& raw);
QString title(NotificationStyle style);
} // namespace NotificationStyles
