#pragma once

#include <QColor>
#include <QString>

// One help entry: a question that opens to its answer.
struct FAQItem {
    QString id;
    // Symbol name.
    QString icon;
    QColor tint;
    QString question;
    QString answer;
};
