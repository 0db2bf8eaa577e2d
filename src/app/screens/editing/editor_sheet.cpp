#include "app/screens/editing/editor_sheet.h"

#include "app/components/zing_primary_button.h"
#include "app/components/zing_scroll_area.h"
#include "app/components/zing_secondary_button.h"
#include "app/screens/editing/editor_sections.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

EditorSheet::EditorSheet(std::function<void()> onCancel, QWidget* parent)
    : ZingPanelBackground(parent), m_onCancel(std::move(onCancel)), m_sections(new QWidget) {
    setMinimumSize(680, 560);
    auto* column = new QVBoxLayout(m_sections);
    column->setContentsMargins(20, 18, 20, 12);
    column->setSpacing(16);
}

void EditorSheet::finishFrame() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    auto* scroll = new ZingScrollArea(this);
    scroll->setContent(m_sections);
    root->addWidget(scroll, 1);

    auto* footer = new QHBoxLayout;
    footer->setContentsMargins(20, 12, 20, 16);
    footer->setSpacing(10);
    footer->addStretch(1);
    m_cancel = new ZingSecondaryButton(QStringLiteral("Cancel"), this);
    m_primary = new ZingPrimaryButton(QString(), this);
    footer->addWidget(m_cancel);
    footer->addWidget(m_primary);
    root->addLayout(footer);
    connect(m_cancel, &QPushButton::clicked, this, &EditorSheet::cancel);
    // save() is the subclass's, so it is looked up at the click, not bound here.
    connect(m_primary, &QPushButton::clicked, this, [this] { save(); });
    EditorSections::addKeys(
        this, [this] { save(); }, [this] { cancel(); });
}

QVBoxLayout* EditorSheet::sectionsLayout() const {
    return static_cast<QVBoxLayout*>(m_sections->layout());
}

void EditorSheet::cancel() {
    if (m_onCancel)
        m_onCancel();
}
