#include "app/screens/help/faq_row.h"

#include "app/components/zing_fonts.h"
#include "app/screens/help/faq_question_button.h"
#include "app/screens/screen_label.h"
#include "reactions/zing_theme.h"

#include <QLabel>
#include <QPropertyAnimation>
#include <QVBoxLayout>

namespace {
constexpr int kAnswerIndent = 32;
constexpr int kAnswerBottom = 6;
} // namespace

FaqRow::FaqRow(const FAQItem& item, QWidget* parent)
    : QWidget(parent), m_id(item.id), m_question(new FaqQuestionButton(item, this)),
      m_answerBox(new QWidget(this)), m_answer(ScreenLabel::wrapping(item.answer, ZingFonts::rounded(11),
                                                                     ZingTheme::inkMuted(), m_answerBox)),
      m_animation(new QPropertyAnimation(m_answerBox, "maximumHeight", this)) {
    auto* answerLayout = new QVBoxLayout(m_answerBox);
    answerLayout->setContentsMargins(kAnswerIndent, 0, 4, kAnswerBottom);
    answerLayout->addWidget(m_answer);
    m_answer->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_answerBox->setMaximumHeight(0);
    m_answerBox->hide();
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_question);
    layout->addWidget(m_answerBox);

    m_animation->setDuration(200);
    m_animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(m_animation, &QPropertyAnimation::finished, this, [this] {
        if (m_question->isOpen())
            m_answerBox->setMaximumHeight(QWIDGETSIZE_MAX);
        else
            m_answerBox->hide();
    });
    connect(m_question, &QAbstractButton::clicked, this, [this] { Q_EMIT pressed(m_id); });
}

int FaqRow::openHeight() const {
    const int width = std::max(m_answerBox->width(), this->width());
    return m_answer->heightForWidth(width - kAnswerIndent - 4) + kAnswerBottom;
}

void FaqRow::setOpen(bool open) {
    if (m_question->isOpen() == open)
        return;
    m_question->setOpen(open);
    m_animation->stop();
    m_question->setAccessibleDescription(open ? m_answer->text() : QString());
    if (!isVisible()) {
        m_answerBox->setMaximumHeight(open ? QWIDGETSIZE_MAX : 0);
        m_answerBox->setVisible(open);
        return;
    }
    const int from = m_answerBox->isVisible() ? m_answerBox->height() : 0;
    m_answerBox->setMaximumHeight(from);
    m_answerBox->show();
    m_animation->setStartValue(from);
    m_animation->setEndValue(open ? openHeight() : 0);
    m_animation->start();
}

void FaqRow::hideEvent(QHideEvent* event) {
    // A hidden panel must not keep an animation ticking.
    if (m_animation->state() == QAbstractAnimation::Running) {
        m_animation->stop();
        m_answerBox->setMaximumHeight(m_question->isOpen() ? QWIDGETSIZE_MAX : 0);
        m_answerBox->setVisible(m_question->isOpen());
    }
    QWidget::hideEvent(event);
}
