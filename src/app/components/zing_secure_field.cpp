#include "app/components/zing_secure_field.h"

ZingSecureField::ZingSecureField(const QString& placeholder, QWidget* parent)
    : ZingTextField(placeholder, parent) {
    setEchoMode(QLineEdit::Password);
    setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText |
                        Qt::ImhNoAutoUppercase);
    // Password mode already refuses copy, cut, drag and the X selection.
    setDragEnabled(false);
}
