#pragma once

#include "app/screens/help/faq_item.h"

#include <QWidget>

class FaqQuestionButton;
class QLabel;
class QPropertyAnimation;

// One help entry: the question, and its answer below it while open. Opening and closing ease in and out
// over 0.2 s while the row is on screen.
class FaqRow final : public QWidget {
    Q_OBJECT
public:
    explicit FaqRow(const FAQItem& item, QWidget* parent = nullptr);
    const QString& id() const { return m_id; }
    void setOpen(bool open);
    FaqQuestionButton* questionButton() const { return m_question; }
    QLabel* answerLabel() const { return m_answer; }

Q_SIGNALS:
    void pressed(const QString& id);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    int openHeight() const;

    QString m_id;
    FaqQuestionButton* m_question;
    QWidget* m_answerBox;
    QLabel* m_answer;
    QPropertyAnimation* m_animation;
};
