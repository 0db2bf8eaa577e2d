#pragma once

#include <QIcon>
#include <QObject>
#include <QRect>
#include <QString>

class QMenu;

// The status icon as the shell uses it. The real one wraps QSystemTrayIcon; tests, which run where no tray
// exists, use a fake.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A tray host is running, so the icon can be seen.
    virtual bool isAvailable() const = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void setIcon(const QIcon& icon) = 0;
    virtual void setToolTip(const QString& text) = 0;
    // Shown by the tray on a right click; the caller refreshes it on QMenu::aboutToShow.
    virtual void setContextMenu(QMenu* menu) = 0;
    // Empty when the host does not say where the icon is (StatusNotifierItem hosts).
    virtual QRect geometry() const = 0;

Q_SIGNALS:
    // A left click (or the host's "activate"), never a right click.
    void activated();
};
