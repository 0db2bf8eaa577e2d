#pragma once

#include <QComboBox>

// A menu-style picker: the current entry's text in the tint colour (lime by default), rounded 12 semibold,
// with an up-down chevron, on white at 0.1, radius 8. It is a QComboBox: fill it with addItem(text, data),
// read currentIndex()/currentData(), listen to currentIndexChanged; with no current entry it shows
// placeholderText(); Space or Alt+Down opens the menu and the
// arrow keys change the entry. Set an accessible name, since the title is not shown.
class ZingMenuPicker final : public QComboBox {
    Q_OBJECT
public:
    explicit ZingMenuPicker(QWidget* parent = nullptr);

    void setTint(const QColor& color);
    QColor tint() const { return m_tint; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_tint;
};
