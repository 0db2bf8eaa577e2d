#pragma once

#include "app/shell/tray_icon.h"

#include <QSystemTrayIcon>

class SystemTrayIcon final : public TrayIcon {
    Q_OBJECT
public:
    explicit SystemTrayIcon(QObject* parent = nullptr);

    bool isAvailable() const override;
    void show() override { m_icon.show(); }
    void hide() override { m_icon.hide(); }
    void setIcon(const QIcon& icon) override { m_icon.setIcon(icon); }
    void setToolTip(const QString& text) override { m_icon.setToolTip(text); }
    void setContextMenu(QMenu* menu) override { m_icon.setContextMenu(menu); }
    QRect geometry() const override { return m_icon.geometry(); }

private:
    QSystemTrayIcon m_icon;
};
