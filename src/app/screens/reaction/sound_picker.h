#pragma once

#include "model/sound_effect.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class SoundPlayer;

// A menu of the eight sound packs by title, the selected pack's subtitle under it, and a button that plays
// the selected pack through `player` at preview intensity.
class SoundPicker final : public QWidget {
    Q_OBJECT
public:
    static constexpr double previewIntensity = 0.9;

    explicit SoundPicker(SoundPlayer& player, QWidget* parent = nullptr);

    SoundEffect selection() const { return m_selection; }
    // Shows `effect` without emitting selectionChanged.
    void setSelection(SoundEffect effect);

    QComboBox* menu() const { return m_menu; }
    QLabel* subtitleLabel() const { return m_subtitle; }
    QPushButton* previewButton() const { return m_preview; }

Q_SIGNALS:
    // The user picked `effect` from the menu.
    void selectionChanged(SoundEffect effect);

private:
    void showEffect(SoundEffect effect);

    SoundPlayer& m_player;
    SoundEffect m_selection = SoundEffect::moan;
    QComboBox* m_menu = nullptr;
    QLabel* m_subtitle = nullptr;
    QPushButton* m_preview = nullptr;
};
