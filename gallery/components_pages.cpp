#include "app/components/provider_logo.h"
#include "app/components/zing_artwork.h"
#include "app/components/zing_capsule_badge.h"
#include "app/components/zing_card.h"
#include "app/components/zing_chip.h"
#include "app/components/zing_fonts.h"
#include "app/components/zing_form_label.h"
#include "app/components/zing_menu_picker.h"
#include "app/components/zing_page_dots.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_progress_bar.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_section_header.h"
#include "app/components/zing_secure_field.h"
#include "app/components/zing_slider.h"
#include "app/components/zing_stepper.h"
#include "app/components/zing_switch.h"
#include "app/components/zing_symbols.h"
#include "app/components/zing_tab_button.h"
#include "app/components/zing_text_field.h"
#include "gallery/gallery.h"
#include "model/sound_effect.h"
#include "reactions/zing_theme.h"

#include <QDirIterator>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {

// A column of widgets, each under a small caption naming its state.
class StateColumn : public QWidget {
public:
    StateColumn() : m_layout(new QVBoxLayout(this)) {
        m_layout->setContentsMargins(0, 0, 0, 0);
        m_layout->setSpacing(6);
    }
    template <typename W> W* add(const QString& caption, W* widget, Qt::Alignment alignment = Qt::AlignLeft) {
        auto* label = new ZingFormLabel(caption);
        m_layout->addWidget(label);
        m_layout->addWidget(widget, 0, alignment);
        m_layout->addSpacing(4);
        return widget;
    }
    void finish() { m_layout->addStretch(1); }

private:
    QVBoxLayout* m_layout;
};

QWidget* buttons(GalleryFixture& fixture, bool focusFirst) {
    auto* column = new StateColumn;
    auto* enabled =
        column->add(QStringLiteral("Primary"), new ZingPrimaryButton(QStringLiteral("Save goal")));
    auto* pressed =
        column->add(QStringLiteral("Primary, pressed"), new ZingPrimaryButton(QStringLiteral("Save goal")));
    pressed->setDown(true);
    auto* disabled =
        column->add(QStringLiteral("Primary, disabled"), new ZingPrimaryButton(QStringLiteral("Save goal")));
    disabled->setEnabled(false);
    auto* expands = column->add(QStringLiteral("Primary, expands, with symbol"),
                                new ZingPrimaryButton(QStringLiteral("Connect Stripe")), Qt::Alignment());
    expands->setExpands(true);
    expands->setSymbol(QStringLiteral("link"), 13);
    column->add(QStringLiteral("Secondary"), new ZingSecondaryButton(QStringLiteral("Simulate refund")));
    auto* secondaryPressed = column->add(QStringLiteral("Secondary, pressed"),
                                         new ZingSecondaryButton(QStringLiteral("Simulate refund")));
    secondaryPressed->setDown(true);
    auto* secondaryDisabled = column->add(QStringLiteral("Secondary, disabled"),
                                          new ZingSecondaryButton(QStringLiteral("Disconnect")));
    secondaryDisabled->setEnabled(false);
    auto* speaker = column->add(QStringLiteral("Secondary, symbol only"), new ZingSecondaryButton);
    speaker->setSymbol(QStringLiteral("speaker.wave.2.fill"), 12);
    speaker->setToolTip(QStringLiteral("Preview meme sound"));
    column->finish();
    if (focusFirst)
        fixture.focus = enabled;
    return column;
}

QWidget* tabs(GalleryFixture& fixture) {
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        new ZingFormLabel(QStringLiteral("Tab row: Goals selected, Triggers pressed, Connect focused")));
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    const QList<QPair<QString, QString>> entries = {
        {QStringLiteral("Live"), QStringLiteral("waveform.path.ecg")},
        {QStringLiteral("Goals"), QStringLiteral("target")},
        {QStringLiteral("Triggers"), QStringLiteral("bolt.fill")},
        {QStringLiteral("Connect"), QStringLiteral("link")}};
    for (const auto& [label, symbol] : entries) {
        auto* tab = new ZingTabButton(label);
        tab->setSymbol(symbol, 12);
        tab->setSelected(label == QStringLiteral("Goals"));
        tab->setDown(label == QStringLiteral("Triggers"));
        if (label == QStringLiteral("Connect"))
            fixture.focus = tab;
        row->addWidget(tab);
    }
    layout->addLayout(row);
    layout->addStretch(1);
    return box;
}

QWidget* card(GalleryFixture&) {
    auto* card = new ZingCard;
    card->addWidget(
        new ZingSectionHeader(QStringLiteral("Event triggers"),
                              QStringLiteral("Purchases, traffic, SEO — react to everything. A long "
                                             "subtitle wraps onto as many lines as it needs.")));
    auto* badges = new QHBoxLayout;
    badges->setSpacing(6);
    auto* ready = new ZingCapsuleBadge(QStringLiteral("Connected"), ZingTheme::moneyGreen());
    ready->setSymbol(QStringLiteral("checkmark.circle.fill"));
    auto* missing = new ZingCapsuleBadge(QStringLiteral("Not connected"), ZingTheme::warning());
    missing->setSymbol(QStringLiteral("exclamationmark.circle.fill"));
    badges->addWidget(ready);
    badges->addWidget(missing);
    badges->addWidget(new ZingCapsuleBadge(QStringLiteral("🎭 Demo"), ZingTheme::hotPink()));
    badges->addStretch(1);
    card->contentLayout()->addLayout(badges);
    auto* progress = new ZingProgressBar;
    progress->setFraction(0.62);
    card->addWidget(progress);
    auto* money = new ZingProgressBar;
    money->setFraction(1.0);
    money->setGradient(ZingTheme::moneyGradient());
    card->addWidget(money);
    auto* sliver = new ZingProgressBar;
    sliver->setFraction(0.004);
    card->addWidget(sliver);
    return card;
}

QWidget* fields(GalleryFixture& fixture, bool focused) {
    auto* column = new StateColumn;
    auto* name = column->add(QStringLiteral("Goal name"),
                             new ZingTextField(QStringLiteral("e.g. First $100 today")), Qt::Alignment());
    auto* filled = column->add(QStringLiteral("Banner message"),
                               new ZingTextField(QStringLiteral("Message on screen")), Qt::Alignment());
    filled->setText(QStringLiteral("Show me the money! 🤑"));
    auto* secret = column->add(QStringLiteral("Secret key"), new ZingSecureField(QStringLiteral("sk_live_…")),
                               Qt::Alignment());
    secret->setText(QStringLiteral("sk_test_not_a_real_key"));
    auto* disabled = column->add(QStringLiteral("Disabled"), new ZingTextField(QStringLiteral("Website id")),
                                 Qt::Alignment());
    disabled->setEnabled(false);
    column->finish();
    if (focused)
        fixture.focus = name;
    return column;
}

QWidget* controls(GalleryFixture& fixture, bool focused) {
    auto* column = new StateColumn;
    auto* on = column->add(QStringLiteral("Switch, on"), new ZingSwitch(QStringLiteral("Play sounds")),
                           Qt::Alignment());
    on->setChecked(true);
    column->add(QStringLiteral("Switch, off"), new ZingSwitch(QStringLiteral("Show live metric in menu bar")),
                Qt::Alignment());
    auto* offDisabled = column->add(QStringLiteral("Switch, disabled"), new ZingSwitch);
    offDisabled->setEnabled(false);

    auto* chips = new QWidget;
    auto* chipRow = new QHBoxLayout(chips);
    chipRow->setContentsMargins(0, 0, 0, 0);
    chipRow->setSpacing(6);
    auto* today = new ZingChip(QStringLiteral("Today"));
    today->setChecked(true);
    chipRow->addWidget(today);
    chipRow->addWidget(new ZingChip(QStringLiteral("Last 7 days")));
    auto* pressedChip = new ZingChip(QStringLiteral("📦 Pressed"));
    pressedChip->setDown(true);
    chipRow->addWidget(pressedChip);
    chipRow->addStretch(1);
    column->add(QStringLiteral("Chips: checked, unchecked, pressed"), chips, Qt::Alignment());

    auto* slider = column->add(QStringLiteral("Slider"), new ZingSlider, Qt::Alignment());
    slider->setRange(0, 100);
    slider->setValue(70);
    auto* stepper = column->add(QStringLiteral("Stepper"), new ZingStepper(15, 3600, 15));
    stepper->setLabelFormat([](double v) { return QStringLiteral("Every %1 s").arg(v); });
    stepper->setValue(30);
    auto* atMinimum = column->add(QStringLiteral("Stepper at its minimum"), new ZingStepper(1, 10, 1));
    atMinimum->setValue(1);
    auto* picker = column->add(QStringLiteral("Menu picker"), new ZingMenuPicker);
    for (const SoundEffect effect : SoundEffects::allCases())
        picker->addItem(SoundEffects::title(effect));
    picker->setCurrentIndex(2);
    picker->setAccessibleName(QStringLiteral("Sound"));
    column->finish();
    if (focused)
        fixture.focus = stepper;
    return column;
}

QWidget* pageDots(GalleryFixture&) {
    auto* column = new StateColumn;
    column->add(QStringLiteral("First of four"), new ZingPageDots(4, 0));
    column->add(QStringLiteral("Third of four"), new ZingPageDots(4, 2));
    column->add(QStringLiteral("Last of seven"), new ZingPageDots(7, 6));
    column->finish();
    return column;
}

QWidget* scrollArea(GalleryFixture&) {
    auto* area = new ZingScrollArea;
    QWidget* content = area->makeContent();
    auto* layout = static_cast<QVBoxLayout*>(content->layout());
    layout->setSpacing(10);
    for (int i = 1; i <= 6; ++i) {
        auto* card = new ZingCard;
        card->addWidget(new ZingSectionHeader(QStringLiteral("Card %1").arg(i),
                                              QStringLiteral("The panel shows through between the cards.")));
        layout->addWidget(card);
    }
    return area;
}

// Every symbol, tinted, with its name: a contact sheet to spot a broken drawing.
class SymbolSheet : public QWidget {
public:
    explicit SymbolSheet(QStringList names) : m_names(std::move(names)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const int columns = 4;
        const qreal cellWidth = width() / qreal(columns);
        const QList<QColor> tints = {ZingTheme::ink(), ZingTheme::lime(), ZingTheme::hotPink(),
                                     ZingTheme::warning()};
        painter.setFont(ZingFonts::rounded(9, QFont::Normal));
        for (int i = 0; i < m_names.size(); ++i) {
            const QRectF cell((i % columns) * cellWidth, (i / columns) * 52.0, cellWidth, 52);
            const QColor tint = tints.at(i % tints.size());
            ZingSymbols::paint(painter, QRectF(cell.left() + 6, cell.top() + 4, 24, 24), m_names.at(i), tint);
            ZingSymbols::paint(painter, QRectF(cell.left() + 38, cell.top() + 10, 12, 12), m_names.at(i),
                               tint);
            painter.setPen(ZingTheme::inkMuted());
            painter.drawText(
                QRectF(cell.left() + 4, cell.top() + 30, cellWidth - 8, 18), Qt::AlignLeft | Qt::AlignVCenter,
                painter.fontMetrics().elidedText(m_names.at(i), Qt::ElideMiddle, int(cellWidth - 8)));
        }
    }

private:
    QStringList m_names;
};

QStringList allSymbolNames() {
    QStringList names;
    ZingSymbols::has(QString()); // loads the resources
    QDirIterator it(QStringLiteral(":/zingboard/symbols"));
    while (it.hasNext())
        names.append(it.next().section(QLatin1Char('/'), -1).chopped(4));
    names.sort();
    return names;
}

// The logo at the sizes the desktop uses, and every provider mark.
class ArtworkSheet : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        qreal x = 0;
        for (const int size : {16, 22, 24, 32, 48}) {
            ZingArtwork::paint(painter, QRectF(x, 48 - size, size, size), QStringLiteral("Logo"));
            x += size + 14;
        }
        x = 0;
        painter.setFont(ZingFonts::rounded(9, QFont::Normal));
        for (const IntegrationProvider provider : IntegrationProviders::allCases()) {
            ProviderLogo::paint(painter, QRectF(x, 70, 40, 40), provider, false);
            ProviderLogo::paint(painter, QRectF(x + 10, 118, 20, 20), provider, false);
            painter.setPen(ZingTheme::inkMuted());
            painter.drawText(QRectF(x - 6, 142, 52, 14), Qt::AlignCenter,
                             IntegrationProviders::displayName(provider).section(QLatin1Char(' '), -1));
            x += 62;
        }
        ProviderLogo::paint(painter, QRectF(x, 70, 40, 40), IntegrationProvider::googleAnalytics, true);
        painter.setPen(ZingTheme::inkMuted());
        painter.drawText(QRectF(x - 6, 142, 52, 14), Qt::AlignCenter, QStringLiteral("Google"));
    }
};

} // namespace

ZINGBOARD_GALLERY_AREA(components) {
    gallery.add({QStringLiteral("components-buttons"), QSize(300, 470),
                 [](GalleryFixture& f) { return buttons(f, false); }});
    gallery.add({QStringLiteral("components-buttons-focused"), QSize(300, 470),
                 [](GalleryFixture& f) { return buttons(f, true); }});
    gallery.add({QStringLiteral("components-tabs"), QSize(360, 100), tabs});
    gallery.add({QStringLiteral("components-card"), QSize(360, 230), card});
    gallery.add({QStringLiteral("components-fields"), QSize(320, 300),
                 [](GalleryFixture& f) { return fields(f, false); }});
    gallery.add({QStringLiteral("components-fields-focused"), QSize(320, 300),
                 [](GalleryFixture& f) { return fields(f, true); }});
    gallery.add({QStringLiteral("components-controls"), QSize(340, 520),
                 [](GalleryFixture& f) { return controls(f, false); }});
    gallery.add({QStringLiteral("components-controls-focused"), QSize(340, 520),
                 [](GalleryFixture& f) { return controls(f, true); }});
    gallery.add({QStringLiteral("components-page-dots"), QSize(220, 170), pageDots});
    gallery.add({QStringLiteral("components-scroll-area"), QSize(320, 300), scrollArea});
    gallery.add({QStringLiteral("components-symbols"), QSize(480, 560),
                 [](GalleryFixture&) -> QWidget* { return new SymbolSheet(allSymbolNames()); }});
    gallery.add({QStringLiteral("components-artwork"), QSize(400, 200),
                 [](GalleryFixture&) -> QWidget* { return new ArtworkSheet; }});
}
