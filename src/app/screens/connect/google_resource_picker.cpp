#include "app/screens/connect/google_resource_picker.h"

#include "app/components/zing_form_label.h"
#include "app/components/zing_menu_picker.h"

#include <QVBoxLayout>

GoogleResourcePicker::GoogleResourcePicker(const QString& title, const QString& placeholder, QWidget* parent)
    : QWidget(parent), m_placeholder(placeholder) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* label = new ZingFormLabel(title, this);
    m_menu = new ZingMenuPicker(this);
    m_menu->setAccessibleName(title);
    m_menu->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    label->setBuddy(m_menu);
    column->addWidget(label);
    column->addWidget(m_menu);
    m_menu->setPlaceholderText(placeholder);
    connect(m_menu, &QComboBox::activated, this, [this](int index) {
        const QString identifier = m_menu->itemData(index).toString();
        // The menu keeps showing the stored choice, which the owner updates through setOptions().
        m_menu->setCurrentIndex(-1);
        Q_EMIT selected(identifier);
    });
}

void GoogleResourcePicker::setOptions(const QList<Option>& options,
                                      const std::optional<QString>& selectionLabel) {
    const QSignalBlocker quiet(m_menu);
    m_menu->clear();
    for (const Option& option : options)
        m_menu->addItem(option.second, option.first);
    // Nothing is current: the closed menu reads the stored choice even before the lists arrive.
    m_menu->setCurrentIndex(-1);
    m_menu->setPlaceholderText(selectionLabel && !selectionLabel->isEmpty() ? *selectionLabel
                                                                            : m_placeholder);
    m_menu->updateGeometry();
    m_menu->update();
}

QString GoogleResourcePicker::shownText() const {
    return m_menu->currentIndex() < 0 ? m_menu->placeholderText() : m_menu->currentText();
}
