#include "app/screens/help/faq_question_button.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "app/components/zing_symbols.h"
#include "reactions/zing_theme.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kIconSize = 16;
constexpr int kChevronSize = 12;
// The answer below is indented by the same 32 points.
constexpr int kTextLeft = 32;
constexpr int kVerticalPadding = 6;
} // namespace

FaqQuestionButton::FaqQuestionButton(const FAQItem& item, QWidget* parent)
    : ZingWrappingButton(320, 160, parent), m_item(item) {
    setText(item.question);
    setFont(ZingFonts::rounded(12, QFont::Bold));
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void FaqQuestionButton::setOpen(bool open) {
    if (m_open == open)
        return;
    m_open = open;
    update();
}

QRect FaqQuestionButton::questionRect(int width) const {
    const int textWidth = std::max(40, width - kTextLeft - kChevronSize - 10);
    return QRect(kTextLeft, kVerticalPadding, textWidth,
                 std::max(wrappedTextHeight(font(), text(), textWidth), kIconSize));
}

int FaqQuestionButton::heightForWidth(int width) const {
    return questionRect(width).height() + 2 * kVerticalPadding;
}

void FaqQuestionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect text = questionRect(width());
    const int firstLineMiddle = kVerticalPadding + QFontMetrics(font()).height() / 2;
    ZingSymbols::paint(painter, QRectF(2, firstLineMiddle - kIconSize / 2.0, kIconSize, kIconSize),
                       m_item.icon, m_item.tint);
    painter.setFont(font());
    painter.setPen(ZingTheme::ink());
    painter.drawText(text, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, this->text());
    ZingSymbols::paint(
        painter,
        QRectF(width() - kChevronSize - 2, firstLineMiddle - kChevronSize / 2.0, kChevronSize, kChevronSize),
        m_open ? QStringLiteral("chevron.up") : QStringLiteral("chevron.down"), ZingTheme::inkMuted());
    if (hasFocus())
        ZingPaint::focusRing(painter, QRectF(rect()).adjusted(-2, 0, 2, 0), 6);
}
