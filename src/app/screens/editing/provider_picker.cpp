#include "app/screens/editing/provider_picker.h"

#include "app/components/provider_logo.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_symbols.h"
#include "app/screens/editing/choice_card.h"
#include "app/screens/screen_label.h"
#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

ProviderPicker::ProviderPicker(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    m_group.setExclusive(true);
    for (IntegrationProvider provider : IntegrationProviders::allCases()) {
        auto* row = new ChoiceCard(this);
        row->setAccessibleName(IntegrationProviders::displayName(provider));
        row->addContent(new ProviderLogo(provider, 26, false, row), 0, Qt::AlignVCenter);
        auto* texts = new QWidget(row);
        auto* textLayout = new QVBoxLayout(texts);
        textLayout->setContentsMargins(0, 0, 0, 0);
        textLayout->setSpacing(1);
        textLayout->addWidget(ScreenLabel::make(IntegrationProviders::displayName(provider),
                                                ZingFonts::rounded(12, QFont::Bold), ZingTheme::ink(),
                                                texts));
        textLayout->addWidget(ScreenLabel::wrapping(ProviderReadiness::description(provider),
                                                    ZingFonts::rounded(10), ZingTheme::inkMuted(), texts,
                                                    ScreenLabel::Width::text));
        row->addContent(texts, 1);
        Mark mark{new QLabel(row), ScreenLabel::make(QString(), ZingFonts::rounded(10, QFont::DemiBold),
                                                     ZingTheme::warning(), row)};
        mark.symbol->setFixedSize(14, 14);
        row->addContent(mark.text, 0, Qt::AlignVCenter);
        row->addContent(mark.symbol, 0, Qt::AlignVCenter);
        m_marks.insert(provider, mark);
        m_rows.insert(provider, row);
        m_group.addButton(row);
        layout->addWidget(row);
        connect(row, &QAbstractButton::clicked, this, [this, provider] { Q_EMIT chosen(provider); });
    }
}

void ProviderPicker::showState(IntegrationProvider selected,
                               const std::function<ProviderState(IntegrationProvider)>& stateOf) {
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it) {
        it.value()->setChecked(it.key() == selected);
        const Mark& mark = m_marks[it.key()];
        QString symbol;
        QColor color;
        switch (stateOf(it.key())) {
        case ProviderState::ready:
            symbol = QStringLiteral("checkmark.circle.fill");
            color = ZingTheme::lime();
            mark.text->clear();
            break;
        case ProviderState::demo:
            symbol = QStringLiteral("theatermasks.fill");
            color = ZingTheme::hotPink();
            mark.text->clear();
            break;
        case ProviderState::notConnected:
            symbol = QStringLiteral("exclamationmark.circle.fill");
            color = ZingTheme::warning();
            mark.text->setText(QStringLiteral("Not connected"));
            break;
        }
        mark.text->setVisible(!mark.text->text().isEmpty());
        mark.symbol->setPixmap(ZingSymbols::pixmap(symbol, color, 14, devicePixelRatioF()));
    }
}
