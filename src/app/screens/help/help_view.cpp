#include "app/screens/help/help_view.h"

#include "app/components/zing_card.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_section_header.h"
#include "app/screens/help/faq_question_button.h"
#include "app/screens/help/faq_row.h"
#include "app/screens/help/help_catalog.h"
#include "app/screens/screen_label.h"
#include "app/shell/shell_actions.h"
#include "reactions/sound_locations.h"
#include "reactions/zing_theme.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

HelpView::HelpView(AppState& state, ShellActions& shell, QWidget* parent)
    : HelpView(state, shell, SoundLocations::standard().customFolder, parent) {}

HelpView::HelpView(AppState&, ShellActions& shell, const QString& soundsFolder, QWidget* parent)
    : QWidget(parent), m_shell(shell), m_soundsFolder(soundsFolder) {
    // The panel scrolls its tabs, so this is a plain column.
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 12, 14, 14);
    column->setSpacing(10);
    column->addWidget(
        new ZingSectionHeader(QStringLiteral("Help & FAQ"),
                              QStringLiteral("Quick answers for goals, triggers, sounds, and more.")));

    auto* questions = new ZingCard;
    questions->contentLayout()->setSpacing(4);
    for (const FAQItem& item : HelpCatalog::items()) {
        auto* row = new FaqRow(item);
        connect(row, &FaqRow::pressed, this, &HelpView::toggle);
        questions->addWidget(row);
        m_rows.append(row);
    }
    column->addWidget(questions);
    column->addWidget(makeFolderCard());
    column->addWidget(makePrefixCard());
    column->addStretch(1);
}

void HelpView::toggle(const QString& id) {
    m_model.toggle(id);
    for (FaqRow* row : m_rows)
        row->setOpen(m_model.isExpanded(row->id()));
}

QWidget* HelpView::makeFolderCard() {
    auto* card = new ZingCard;
    card->addWidget(ScreenLabel::make(QStringLiteral("Custom sounds folder"),
                                      ZingFonts::rounded(12, QFont::Bold), ZingTheme::ink()));
    QLabel* path = ScreenLabel::wrapping(QDir::toNativeSeparators(m_soundsFolder), ZingFonts::rounded(10),
                                         ZingTheme::inkMuted());
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    card->addWidget(path);

    auto* openFolder = new ZingSecondaryButton(QStringLiteral("Open folder"));
    openFolder->setSymbol(QStringLiteral("folder"));
    auto* copyPath = new ZingSecondaryButton(QStringLiteral("Copy path"));
    copyPath->setSymbol(QStringLiteral("doc.on.doc"));
    m_openFolder = openFolder;
    m_copyPath = copyPath;
    const bool known = !m_soundsFolder.isEmpty();
    m_openFolder->setEnabled(known);
    m_copyPath->setEnabled(known);
    connect(m_openFolder, &QPushButton::clicked, this, [this] {
        // The sound engine makes it at start-up, but the user may have removed it since.
        QDir().mkpath(m_soundsFolder);
        m_shell.openFolder(m_soundsFolder);
    });
    connect(m_copyPath, &QPushButton::clicked, this, [this] { m_shell.copyToClipboard(m_soundsFolder); });
    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 2, 0, 0);
    row->setSpacing(8);
    row->addWidget(m_openFolder);
    row->addWidget(m_copyPath);
    row->addStretch(1);
    card->addWidget(buttons);
    return card;
}

QWidget* HelpView::makePrefixCard() {
    auto* card = new ZingCard;
    card->addWidget(ScreenLabel::make(QStringLiteral("Sound file prefixes"),
                                      ZingFonts::rounded(12, QFont::Bold), ZingTheme::ink()));
    card->addWidget(ScreenLabel::make(QStringLiteral("Start filenames with one of these prefixes:"),
                                      ZingFonts::rounded(11), ZingTheme::inkMuted()));
    auto* table = new QWidget;
    auto* grid = new QGridLayout(table);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(4);
    int line = 0;
    for (const auto& [effect, prefix] : HelpCatalog::soundPrefixes()) {
        QLabel* name = ScreenLabel::make(prefix, ZingFonts::rounded(11, QFont::Bold), ZingTheme::lime());
        name->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(name, line, 0);
        grid->addWidget(
            ScreenLabel::make(SoundEffects::title(effect), ZingFonts::rounded(11), ZingTheme::ink()), line,
            1);
        ++line;
    }
    grid->setColumnStretch(1, 1);
    table->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    card->addWidget(table);
    return card;
}
