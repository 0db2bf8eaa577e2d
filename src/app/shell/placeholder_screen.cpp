#include "app/shell/placeholder_screen.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PlaceholderScreen::PlaceholderScreen(const QString& screenName, QWidget* parent)
    : QWidget(parent), m_layout(new QVBoxLayout(this)) {
    setObjectName(QStringLiteral("placeholderScreen"));
    m_layout->setContentsMargins(24, 24, 24, 24);
    m_layout->addStretch(1);
    auto* title = new QLabel(screenName, this);
    QFont font = title->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.3);
    title->setFont(font);
    title->setAlignment(Qt::AlignCenter);
    m_layout->addWidget(title);
    auto* text = new QLabel(QStringLiteral("This screen is not built yet."), this);
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    m_layout->addWidget(text);
    m_layout->addStretch(1);
}

void PlaceholderScreen::addAction(const QString& label, std::function<void()> action) {
    auto* button = new QPushButton(label, this);
    connect(button, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    m_layout->insertWidget(m_layout->count() - 1, button, 0, Qt::AlignHCenter);
}
