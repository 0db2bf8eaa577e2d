#pragma once

#include <QWidget>

class QLabel;

// A section's title (rounded 14 bold, ink) and, when given, a subtitle under it (rounded 11, inkMuted,
// wrapping onto as many lines as it needs); spacing 4.
class ZingSectionHeader final : public QWidget {
    Q_OBJECT
public:
    explicit ZingSectionHeader(const QString& title, const QString& subtitle = {}, QWidget* parent = nullptr);

    void setTitle(const QString& title);
    void setSubtitle(const QString& subtitle);
    QLabel* titleLabel() const { return m_title; }
    QLabel* subtitleLabel() const { return m_subtitle; }

private:
    QLabel* m_title;
    QLabel* m_subtitle;
};
