#pragma once

#include <QWidget>

// The window around the panel: a frameless popup under the tray icon that closes at a click elsewhere, or a
// normal window titled "Zingboard" when there is no tray to click. Deleted when closed.
class PanelWindow : public QWidget {
    Q_OBJECT
public:
    enum class Mode { popup, window };

    PanelWindow(QWidget* content, Mode mode, QWidget* parent = nullptr);

    Mode mode() const { return m_mode; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Mode m_mode;
};
