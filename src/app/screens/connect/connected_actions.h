#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

// What a connected key panel shows instead of its form: a one-line detail, a button that opens the key
// entry again and "Disconnect".
class ConnectedActions final : public QWidget {
    Q_OBJECT
public:
    ConnectedActions(const QString& detail, const QString& replaceLabel, std::function<void()> onReplace,
                     std::function<void()> onDisconnect, QWidget* parent = nullptr);

    void setDetail(const QString& detail);
    QLabel* detailLabel() const { return m_detail; }
    QPushButton* replaceButton() const { return m_replace; }
    QPushButton* disconnectButton() const { return m_disconnect; }

private:
    QLabel* m_detail;
    QPushButton* m_replace;
    QPushButton* m_disconnect;
};
