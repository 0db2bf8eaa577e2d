#pragma once

#include "app/screens/reaction/reaction_preset.h"

#include <QList>
#include <QWidget>

class ReactionPresetButton;

// "Quick presets" and one row of preset buttons in the given order.
class ReactionPresetRow final : public QWidget {
    Q_OBJECT
public:
    explicit ReactionPresetRow(const QList<ReactionPreset>& presets, QWidget* parent = nullptr);

    QList<ReactionPresetButton*> buttons() const { return m_buttons; }

Q_SIGNALS:
    // The user pressed a preset; `config` replaces the whole reaction.
    void selected(const ReactionConfig& config);

private:
    QList<ReactionPresetButton*> m_buttons;
};
