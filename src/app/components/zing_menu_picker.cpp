#include "app/components/zing_menu_picker.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "app/components/zing_symbols.h"
#include "reactions/zing_theme.h"

#include <QPainter>

namespace {
constexpr int padX = 10;
constexpr int padY = 6;
constexpr int chevron = 12;
constexpr int chevronGap = 6;
} // namespace

ZingMenuPicker::ZingMenuPicker(QWidget* parent) : QComboBox(parent), m_tint(ZingTheme::lime()) {
    setFont(ZingFonts::rounded(12, QFont::DemiBold));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // The size follows the widest entry.
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this] { updateGeometry(); });
    connect(model(), &QAbstractItemModel::rowsRemoved, this, [this] { updateGeometry(); });
    connect(model(), &QAbstractItemModel::dataChanged, this, [this] { updateGeometry(); });
}

void ZingMenuPicker::setTint(const QColor& color) {
    m_tint = color;
    update();
}

QSize ZingMenuPicker::sizeHint() const {
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    widest = std::max(widest, metrics.horizontalAdvance(placeholderText()));
    // One pixel more than the rounded advance, so the widest entry is never elided.
    return QSize(widest + 1 + 2 * padX + chevronGap + chevron, metrics.height() + 2 * padY);
}

void ZingMenuPicker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isEnabled() ? 1.0 : 0.45);
    const QRectF box(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(ZingTheme::withOpacity(Qt::white, underMouse() ? 0.14 : 0.1));
    painter.drawRoundedRect(box, 8, 8);
    const QRectF text = box.adjusted(padX, 0, -padX - chevron - chevronGap, 0);
    painter.setPen(m_tint);
    painter.setFont(font());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(font()).elidedText(currentIndex() < 0 ? placeholderText() : currentText(),
                                                     Qt::ElideRight, int(text.width()) + 1));
    ZingSymbols::paint(
        painter, QRectF(box.right() - padX - chevron, box.center().y() - chevron / 2.0, chevron, chevron),
        QStringLiteral("chevron.up.chevron.down"), m_tint);
    if (hasFocus()) {
        painter.setOpacity(1.0);
        ZingPaint::focusRing(painter, box, 8);
    }
}
