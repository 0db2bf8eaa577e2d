#include "app/shell/system_tray_icon.h"

SystemTrayIcon::SystemTrayIcon(QObject* parent) : TrayIcon(parent) {
    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // Right clicks open the context menu, which the tray shows by itself.
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            Q_EMIT activated();
    });
}

bool SystemTrayIcon::isAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}
