#include "model/notification_style.h"

namespace NotificationStyles {

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
