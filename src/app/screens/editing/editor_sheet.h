#pragma once

#include "app/components/zing_panel_background.h"

#include <functional>

class QVBoxLayout;
class ZingPrimaryButton;
class ZingSecondaryButton;

// The frame both editor windows share: their sections in a scrolling column above a footer with Cancel and
// the primary button; Enter saves and Escape cancels anywhere inside. What saving means is the subclass's.
class EditorSheet : public ZingPanelBackground {
    Q_OBJECT
public:
    QSize sizeHint() const override { return QSize(720, 620); }

    // What the primary button (and Enter) does, when saving is possible.
    virtual void save() = 0;
    // Drops the working copy (Cancel, Escape).
    void cancel();

    ZingPrimaryButton* primaryButton() const { return m_primary; }
    ZingSecondaryButton* cancelButton() const { return m_cancel; }

protected:
    EditorSheet(std::function<void()> onCancel, QWidget* parent);

    // The column the sections go into, and its layout.
    QWidget* sections() const { return m_sections; }
    QVBoxLayout* sectionsLayout() const;
    // Puts the sections in their scroll area and adds the footer. Called once the sections are built, so
    // that Tab reaches the footer last.
    void finishFrame();

private:
    std::function<void()> m_onCancel;
    QWidget* m_sections;
    ZingSecondaryButton* m_cancel = nullptr;
    ZingPrimaryButton* m_primary = nullptr;
};
