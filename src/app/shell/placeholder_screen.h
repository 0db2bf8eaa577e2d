#pragma once

#include <QWidget>
#include <functional>

class QVBoxLayout;

// Stands in for a screen that is not built yet, and says so.
class PlaceholderScreen : public QWidget {
    Q_OBJECT
public:
    explicit PlaceholderScreen(const QString& screenName, QWidget* parent = nullptr);

    // Adds a button below the text, e.g. one that completes onboarding so the program stays usable.
    void addAction(const QString& label, std::function<void()> action);

private:
    QVBoxLayout* m_layout;
};
