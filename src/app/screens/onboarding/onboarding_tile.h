#pragma once

#include "app/components/zing_wrapping_button.h"

#include <QColor>

// A selectable tile of the onboarding: a big emoji over a title and a detail line. Checked, it is outlined in
// its accent and tinted with it. Checkable; put tiles in a QButtonGroup for one-of-many choices (arrow keys
// move along the group, and unlike radio buttons every tile stays a Tab stop).
class OnboardingTile final : public ZingWrappingButton {
    Q_OBJECT
public:
    OnboardingTile(const QString& emoji, const QString& title, const QString& detail,
                   const QColor& accent = QColor(), QWidget* parent = nullptr);
    // Not selectable: a plain information tile (focus skips it).
    void setDisplayOnly(bool displayOnly);

    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    QRect detailRect(int width) const;

    QString m_emoji;
    QString m_detail;
    QColor m_accent;
    bool m_displayOnly = false;
};
