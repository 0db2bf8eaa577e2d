#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QWidget>
#include <optional>

class ZingMenuPicker;

// A titled pop-up menu of Google resources (identifier, display label). It shows the chosen resource's
// label, or the placeholder while nothing is chosen, and reports the identifier the user picks.
class GoogleResourcePicker final : public QWidget {
    Q_OBJECT
public:
    using Option = QPair<QString, QString>;

    GoogleResourcePicker(const QString& title, const QString& placeholder, QWidget* parent = nullptr);

    void setOptions(const QList<Option>& options, const std::optional<QString>& selectionLabel);
    ZingMenuPicker* menu() const { return m_menu; }
    // What the closed menu reads.
    QString shownText() const;

Q_SIGNALS:
    void selected(const QString& identifier);

private:
    QString m_placeholder;
    ZingMenuPicker* m_menu;
};
