#include "app/components/zing_section_header.h"

#include "app/components/zing_fonts.h"
#include "reactions/zing_theme.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
QLabel* makeLabel(const QFont& font, const QColor& color, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

ZingSectionHeader::ZingSectionHeader(const QString& title, const QString& subtitle, QWidget* parent)
    : QWidget(parent), m_title(makeLabel(ZingFonts::rounded(14, QFont::Bold), ZingTheme::ink(), this)),
      m_subtitle(makeLabel(ZingFonts::rounded(11, QFont::Normal), ZingTheme::inkMuted(), this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_title);
    layout->addWidget(m_subtitle);
    m_subtitle->setWordWrap(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    setTitle(title);
    setSubtitle(subtitle);
}

void ZingSectionHeader::setTitle(const QString& title) {
    m_title->setText(title);
}

void ZingSectionHeader::setSubtitle(const QString& subtitle) {
    m_subtitle->setText(subtitle);
    m_subtitle->setVisible(!subtitle.isEmpty());
}
