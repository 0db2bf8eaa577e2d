#pragma once

#include "app/screens/reaction/reaction_preset.h"

#include <QAbstractButton>

// One quick preset: its emoji and label on a faint rounded plate.
class ReactionPresetButton final : public QAbstractButton {
    Q_OBJECT
public:
    explicit ReactionPresetButton(const ReactionPreset& preset, QWidget* parent = nullptr);

    const ReactionPreset& preset() const { return m_preset; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ReactionPreset m_preset;
};
