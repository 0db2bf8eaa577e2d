#include "app/screens/panel/panel_window.h"

#include <QKeyEvent>
#include <QVBoxLayout>

PanelWindow::PanelWindow(QWidget* content, Mode mode, QWidget* parent)
    : QWidget(parent, mode == Mode::popup ? Qt::Popup | Qt::FramelessWindowHint : Qt::Window), m_mode(mode) {
    setObjectName(QStringLiteral("panelWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The click on the tray icon that closed the popup must not reach the icon again and reopen it.
    setAttribute(Qt::WA_NoMouseReplay);
    setWindowTitle(QStringLiteral("Zingboard"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

void PanelWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
