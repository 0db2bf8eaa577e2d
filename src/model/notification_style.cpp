#include "model/notification_style.h"

namespace NotificationStyles {

const QList<NotificationStyle>& allCases() {
    static const QList<NotificationStyle> cases = {NotificationStyle::celebration, NotificationStyle::subtle};
    return cases;
}

QString rawValue(NotificationStyle style) {
    switch (style) {
    case NotificationStyle::celebration:
        return QStringLiteral("celebration");
    case NotificationStyle::subtle:
        return QStringLiteral("subtle");
    }
    return {};
}

std::optional<NotificationStyle> fromRawValue(const QString& raw) {
    for (NotificationStyle style : allCases()) {
        if (raw == rawValue(style))
            return style;
    }
    return std::nullopt;
}

QString title(NotificationStyle style) {
    switch (style) {
    case NotificationStyle::celebration:
        return QStringLiteral("Celebration");
    case NotificationStyle::subtle:
        return QStringLiteral("Subtle");
    }
    return {};
}

} // namespace NotificationStyles
