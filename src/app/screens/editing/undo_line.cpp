#include "app/screens/editing/undo_line.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_secondary_button.h"
#include "app/screens/editing/deletion_undo.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>

UndoLine::UndoLine(DeletionUndo& undo, QWidget* parent)
    : QWidget(parent), m_undo(undo), m_label(new QLabel(this)),
      m_button(new ZingSecondaryButton(QStringLiteral("Undo"), this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    m_label->setFont(ZingFonts::withEmojiFallback(ZingFonts::rounded(12, QFont::DemiBold)));
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, ZingTheme::inkMuted());
    m_label->setPalette(palette);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);
    row->addWidget(m_label, 1);
    row->addWidget(m_button);
    connect(m_button, &QPushButton::clicked, this, [this] { m_undo.undo(); });
    connect(&m_undo, &DeletionUndo::changed, this, &UndoLine::refresh);
    refresh();
}

void UndoLine::refresh() {
    m_label->setText(m_undo.message() + QString::fromUtf8(" ·"));
    setVisible(m_undo.isActive());
}
