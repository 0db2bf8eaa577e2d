#pragma once

#include <QWidget>

// A read-only status mark: text (and an optional symbol before it) in `color`, rounded 9 bold, on a capsule
// of the same colour at 0.18, padded 8 across and 3 down. Not focusable.
class ZingCapsuleBadge final : public QWidget {
    Q_OBJECT
public:
    explicit ZingCapsuleBadge(const QString& text = {}, const QColor& color = Qt::white,
                              QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);
    void setSymbol(const QString& name);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QColor m_color;
    QString m_symbol;
};
