#pragma once

#include <QString>
#include <functional>

class QLabel;
class QVBoxLayout;
class QWidget;
class ZingCard;

// Pieces both editor windows are built from.
namespace EditorSections {
// A titled section appended to `layout`; the caller fills the returned layout.
QVBoxLayout* section(QVBoxLayout* layout, const QString& title);
// Enter saves and Escape cancels anywhere in `window`'s content.
void addKeys(QWidget* content, std::function<void()> save, std::function<void()> cancel);
// The warning shown while the record's provider is not ready; `title` receives the label whose text is
// "<provider> isn't connected". "Connect" calls `onConnect`.
ZingCard* connectionWarning(QWidget* parent, const QString& text, QLabel** title,
                            std::function<void()> onConnect);
} // namespace EditorSections
