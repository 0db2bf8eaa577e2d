#pragma once

#include "app/components/zing_text_field.h"

// ZingTextField that masks what is typed. The text is never copied or dragged out, never offered to input
// methods' prediction, and never appears in the tool tip, the accessible name or the accessible value (which
// show only the mask).
class ZingSecureField final : public ZingTextField {
    Q_OBJECT
public:
    explicit ZingSecureField(const QString& placeholder = {}, QWidget* parent = nullptr);
};
