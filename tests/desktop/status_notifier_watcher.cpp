#include "status_notifier_watcher.h"

#include <QDBusMessage>

StatusNotifierWatcher::StatusNotifierWatcher(QDBusConnection bus) : m_bus(std::move(bus)) {
    m_serving = m_bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                                     QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                         QDBusConnection::ExportAllProperties) &&
                m_bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

void StatusNotifierWatcher::RegisterStatusNotifierItem(const QString& serviceOrPath) {
    // Items register their bus name, or only their object path, when the sender names the service.
    QString service = serviceOrPath;
    QString path = QStringLiteral("/StatusNotifierItem");
    if (service.startsWith(QLatin1Char('/'))) {
        path = service;
        service = calledFromDBus() ? message().service() : QString();
    }
    m_services.append(service);
    m_items.append(service + path);
    Q_EMIT StatusNotifierItemRegistered(m_items.last());
}

void StatusNotifierWatcher::RegisterStatusNotifierHost(const QString&) {}
