#include "app/screens/reaction/reaction_preset_row.h"

#include "app/components/zing_form_label.h"
#include "app/screens/reaction/reaction_preset_button.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

ReactionPresetRow::ReactionPresetRow(const QList<ReactionPreset>& presets, QWidget* parent)
    : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(new ZingFormLabel(QStringLiteral("Quick presets"), this));
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    for (const ReactionPreset& preset : presets) {
        auto* button = new ReactionPresetButton(preset, this);
        connect(button, &QAbstractButton::clicked, this,
                [this, config = preset.config] { Q_EMIT selected(config); });
        row->addWidget(button);
        m_buttons.append(button);
    }
    row->addStretch(1);
    column->addLayout(row);
}
