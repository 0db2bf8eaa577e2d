#pragma once

#include "app/components/zing_wrapping_button.h"
#include "app/screens/help/faq_item.h"

// The pressable line of a help entry: its symbol in its tint, the question in bold and a chevron that points
// up while the entry is open.
class FaqQuestionButton final : public ZingWrappingButton {
    Q_OBJECT
public:
    explicit FaqQuestionButton(const FAQItem& item, QWidget* parent = nullptr);
    void setOpen(bool open);
    bool isOpen() const { return m_open; }

    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect questionRect(int width) const;

    FAQItem m_item;
    bool m_open = false;
};
