#include "app/screens/reaction/emoji_picker_grid.h"

#include "app/components/zing_fonts.h"
#include "reactions/emoji_image_cache.h"
#include "reactions/zing_theme.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <cmath>
#include <utility>

namespace {

constexpr int emojiPixelSize = 22;
constexpr double cellRadius = 8;
constexpr int minimumCellWidth = 30;

QFont titleFont() {
    QFont font = ZingFonts::rounded(9, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    return font;
}

} // namespace

EmojiPickerGrid::EmojiPickerGrid(QWidget* parent) : QWidget(parent), m_model(QStringList()) {
    setFocusPolicy(Qt::StrongFocus);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // A scroll area asks the policy, not the widget, whether the height follows the width.
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(QStringLiteral("Emoji"));
}

void EmojiPickerGrid::setSuggested(const QStringList& suggested) {
    m_model = EmojiGridModel(suggested);
    const QList<int> marked = m_model.markedCells(m_selection);
    m_current = marked.isEmpty() ? 0 : marked.first();
    updateGeometry();
    update();
}

void EmojiPickerGrid::setSelection(const QString& emoji) {
    if (emoji == m_selection)
        return;
    m_selection = emoji;
    if (!hasFocus()) {
        const QList<int> marked = m_model.markedCells(m_selection);
        if (!marked.isEmpty())
            m_current = marked.first();
    }
    update();
}

double EmojiPickerGrid::titleHeight() const {
    return std::ceil(QFontMetricsF(titleFont()).height());
}

EmojiGridModel::Geometry EmojiPickerGrid::geometryFor(int width) const {
    return m_model.geometry(width, titleHeight());
}

QRect EmojiPickerGrid::cellRect(int cell) const {
    const auto geometry = geometryFor(width());
    if (cell < 0 || cell >= geometry.cells.size())
        return {};
    return geometry.cells.at(cell).toAlignedRect();
}

int EmojiPickerGrid::heightForWidth(int width) const {
    return int(std::ceil(geometryFor(width).height));
}

QSize EmojiPickerGrid::sizeHint() const {
    const int width = EmojiGridModel::columns * 40 + (EmojiGridModel::columns - 1) * 6;
    return QSize(width, heightForWidth(width));
}

QSize EmojiPickerGrid::minimumSizeHint() const {
    const int width = EmojiGridModel::columns * minimumCellWidth + (EmojiGridModel::columns - 1) * 6;
    return QSize(width, heightForWidth(width));
}

int EmojiPickerGrid::cellAt(const QPoint& point) const {
    const auto geometry = geometryFor(width());
    for (int i = 0; i < geometry.cells.size(); ++i)
        if (geometry.cells.at(i).contains(point))
            return i;
    return -1;
}

void EmojiPickerGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const auto geometry = geometryFor(width());
    const qreal ratio = devicePixelRatioF();

    painter.setFont(titleFont());
    painter.setPen(ZingTheme::inkFaint());
    for (int s = 0; s < geometry.titles.size(); ++s)
        painter.drawText(geometry.titles.at(s), Qt::AlignLeft | Qt::AlignVCenter,
                         m_model.sections().at(s).title.toUpper());

    const QList<int> marked = m_model.markedCells(m_selection);
    for (int i = 0; i < geometry.cells.size(); ++i) {
        const QRectF cell = geometry.cells.at(i);
        if (marked.contains(i)) {
            painter.setPen(QPen(ZingTheme::hotPink(), 1.5));
            painter.setBrush(ZingTheme::withOpacity(ZingTheme::hotPink(), 0.4));
            painter.drawRoundedRect(cell.adjusted(0.75, 0.75, -0.75, -0.75), cellRadius, cellRadius);
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(ZingTheme::rgb(1, 1, 1, i == m_pressed ? 0.14 : 0.07));
            painter.drawRoundedRect(cell, cellRadius, cellRadius);
        }
        const QImage& image = EmojiImageCache::image(m_model.emoji(i), emojiPixelSize, ratio);
        const QSizeF size = image.deviceIndependentSize();
        painter.drawImage(
            QPointF(cell.center().x() - size.width() / 2, cell.center().y() - size.height() / 2), image);
        if (hasFocus() && i == m_current) {
            painter.setPen(QPen(ZingTheme::lime(), 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(cell.adjusted(-1, -1, 1, 1), cellRadius + 1, cellRadius + 1);
        }
    }
}

void EmojiPickerGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressed = cellAt(event->position().toPoint());
    update();
}

void EmojiPickerGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const int released = cellAt(event->position().toPoint());
    const int pressed = std::exchange(m_pressed, -1);
    if (released >= 0 && released == pressed) {
        m_current = released;
        pick(released);
    }
    update();
}

void EmojiPickerGrid::keyPressEvent(QKeyEvent* event) {
    using Direction = EmojiGridModel::Direction;
    switch (event->key()) {
    case Qt::Key_Left:
        return setCurrent(m_model.neighbour(m_current, Direction::left));
    case Qt::Key_Right:
        return setCurrent(m_model.neighbour(m_current, Direction::right));
    case Qt::Key_Up:
        return setCurrent(m_model.neighbour(m_current, Direction::up));
    case Qt::Key_Down:
        return setCurrent(m_model.neighbour(m_current, Direction::down));
    case Qt::Key_Home:
        return setCurrent(0);
    case Qt::Key_End:
        return setCurrent(m_model.cellCount() - 1);
    case Qt::Key_Space:
        return pick(m_current);
    default:
        // Enter and Escape belong to the editor window.
        return QWidget::keyPressEvent(event);
    }
}

void EmojiPickerGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    setCurrent(m_current);
}

void EmojiPickerGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void EmojiPickerGrid::setCurrent(int cell) {
    if (cell < 0 || cell >= m_model.cellCount())
        return;
    m_current = cell;
    // Inside a scroll area the focused cell must stay in sight.
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(ancestor)) {
            const QRect rect = cellRect(cell);
            const QPoint centre = mapTo(area->widget(), rect.center());
            area->ensureVisible(centre.x(), centre.y(), rect.width() / 2 + 4, rect.height() / 2 + 4);
            break;
        }
    }
    update();
}

void EmojiPickerGrid::pick(int cell) {
    if (cell < 0 || cell >= m_model.cellCount())
        return;
    const QString emoji = m_model.emoji(cell);
    const bool changed = emoji != m_selection;
    m_selection = emoji;
    update();
    if (changed)
        Q_EMIT selectionChanged(emoji);
}
