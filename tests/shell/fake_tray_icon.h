#pragma once

#include "app/shell/tray_icon.h"

#include <QMenu>
#include <QPointer>

// A tray that a test can click and look at; "available" and the reported geometry are the test's to set.
class FakeTrayIcon final : public TrayIcon {
public:
    bool isAvailable() const override { return available; }
    void show() override { shown = true; }
    void hide() override { shown = false; }
    void setIcon(const QIcon& i) override { icon = i; }
    void setToolTip(const QString& text) override { toolTip = text; }
    void setContextMenu(QMenu* m) override { menu = m; }
    QRect geometry() const override { return reportedGeometry; }

    void leftClick() { Q_EMIT activated(); }
    // An entry's text as the menu draws it: "&&" is a literal "&", a single "&" marks the mnemonic.
    static QString shownText(const QAction* action) {
        QString shown;
        const QString text = action->text();
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == QLatin1Char('&') && ++i >= text.size())
                break;
            shown.append(text[i]);
        }
        return shown;
    }
    // What the tray shows on a right click: the menu, refreshed as it is about to appear.
    QStringList rightClickMenu() {
        QStringList texts;
        if (!menu)
            return texts;
        Q_EMIT menu->aboutToShow();
        for (QAction* action : menu->actions())
            texts.append(action->isSeparator()
                             ? QStringLiteral("---")
                             : shownText(action) +
                                   (action->isEnabled() ? QString() : QStringLiteral(" (off)")));
        return texts;
    }
    QAction* menuAction(const QString& text) const {
        for (QAction* action : menu->actions()) {
            if (shownText(action) == text)
                return action;
        }
        return nullptr;
    }

    bool available = true;
    bool shown = false;
    QIcon icon;
    QString toolTip;
    QPointer<QMenu> menu;
    QRect reportedGeometry;
};
