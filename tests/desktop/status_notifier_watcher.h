#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>

// A StatusNotifierItem watcher with a host behind it, as a desktop panel offers one on the session bus: tray
// icons announce themselves here instead of docking into an XEmbed tray.
class StatusNotifierWatcher : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)

public:
    explicit StatusNotifierWatcher(QDBusConnection bus);
    // False when the service name or the object could not be taken on the bus.
    bool isServing() const { return m_serving; }

    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return m_items; }
    // The bus names of the items, in order of registration.
    const QStringList& itemServices() const { return m_services; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& serviceOrPath);
    void RegisterStatusNotifierHost(const QString& service);

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString& item);

private:
    QDBusConnection m_bus;
    QStringList m_items;
    QStringList m_services;
    bool m_serving = false;
};
