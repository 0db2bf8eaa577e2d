#include "app/components/zing_wrapping_button.h"

#include <QFontMetrics>

ZingWrappingButton::ZingWrappingButton(int preferredWidth, int minimumWidth, QWidget* parent)
    : QAbstractButton(parent), m_preferredWidth(preferredWidth), m_minimumWidth(minimumWidth) {}

int ZingWrappingButton::wrappedTextHeight(const QFont& font, const QString& text, int width) {
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, 10000), Qt::TextWordWrap, text).height();
}
