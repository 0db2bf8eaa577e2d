#pragma once

#include <QAbstractButton>

// A button that paints its own text wrapped onto as many lines as its width allows, so its height follows its
// width: subclasses give heightForWidth() and paint; the layouts ask at the preferred and the narrowest
// width.
class ZingWrappingButton : public QAbstractButton {
    Q_OBJECT
public:
    ZingWrappingButton(int preferredWidth, int minimumWidth, QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(m_preferredWidth, heightForWidth(m_preferredWidth)); }
    QSize minimumSizeHint() const override { return QSize(m_minimumWidth, heightForWidth(m_minimumWidth)); }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override = 0;

protected:
    // The height of `text` in `font` wrapped at `width`.
    static int wrappedTextHeight(const QFont& font, const QString& text, int width);

private:
    int m_preferredWidth;
    int m_minimumWidth;
};
