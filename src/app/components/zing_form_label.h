#pragma once

#include <QLabel>

// The caption above a form field: rounded 11 semibold, inkMuted. Call setBuddy() with the field so that the
// field gets the label as its accessible name.
class ZingFormLabel final : public QLabel {
    Q_OBJECT
public:
    explicit ZingFormLabel(const QString& text = {}, QWidget* parent = nullptr);
};
