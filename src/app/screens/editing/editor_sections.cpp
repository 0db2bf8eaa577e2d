#include "app/screens/editing/editor_sections.h"

#include "app/components/zing_card.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_section_header.h"
#include "app/components/zing_symbols.h"
#include "app/screens/screen_label.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

namespace EditorSections {

QVBoxLayout* section(QVBoxLayout* layout, const QString& title) {
    auto* section = new QVBoxLayout;
    section->setSpacing(8);
    section->addWidget(new ZingSectionHeader(title, QString(), layout->parentWidget()));
    layout->addLayout(section);
    return section;
}

void addKeys(QWidget* content, std::function<void()> save, std::function<void()> cancel) {
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), content);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(shortcut, &QShortcut::activated, content, save);
    }
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), content);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(escape, &QShortcut::activated, content, std::move(cancel));
}

ZingCard* connectionWarning(QWidget* parent, const QString& text, QLabel** title,
                            std::function<void()> onConnect) {
    auto* card = new ZingCard(parent);
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    auto* symbol = new QLabel(card);
    symbol->setPixmap(
        ZingSymbols::pixmap(QStringLiteral("exclamationmark.triangle.fill"), ZingTheme::warning(), 20, 2.0));
    symbol->setFixedSize(20, 20);
    symbol->setScaledContents(true);
    row->addWidget(symbol, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    *title = ScreenLabel::make(QString(), ZingFonts::rounded(13, QFont::Bold), ZingTheme::warning(), card);
    texts->addWidget(*title);
    texts->addWidget(ScreenLabel::wrapping(text, ZingFonts::rounded(11), ZingTheme::inkMuted(), card,
                                           ScreenLabel::Width::text));
    row->addLayout(texts, 1);
    auto* connect = new ZingSecondaryButton(QStringLiteral("Connect"), card);
    QObject::connect(connect, &QPushButton::clicked, card, std::move(onConnect));
    row->addWidget(connect, 0, Qt::AlignVCenter);
    card->contentLayout()->addLayout(row);
    return card;
}

} // namespace EditorSections
