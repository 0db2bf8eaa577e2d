#pragma once

#include "app/shell/shell_actions.h"

#include <QList>
#include <QStringList>

// Remembers what a screen asked of the shell, in order, as readable lines ("showPopover goals",
// "openUrl https://...", "showGoalEditor <id> new") and keeps the last records handed to the editors.
class RecordingShellActions final : public ShellActions {
public:
    void showPopover(std::optional<MenuTab> tab = std::nullopt) override {
        calls.append(
            QStringLiteral("showPopover %1").arg(tab ? MenuTabs::rawValue(*tab) : QStringLiteral("-")));
    }
    void closePopover() override { calls.append(QStringLiteral("closePopover")); }
    void showOnboarding() override { calls.append(QStringLiteral("showOnboarding")); }
    void showSettings() override { calls.append(QStringLiteral("showSettings")); }
    void showGoalEditor(const Goal& goal, bool isNew) override {
        lastGoal = goal;
        calls.append(QStringLiteral("showGoalEditor %1 %2")
                         .arg(goal.id.toString(QUuid::WithoutBraces),
                              isNew ? QStringLiteral("new") : QStringLiteral("edit")));
    }
    void showTriggerEditor(const EventTrigger& trigger, bool isNew) override {
        lastTrigger = trigger;
        calls.append(QStringLiteral("showTriggerEditor %1 %2")
                         .arg(trigger.id.toString(QUuid::WithoutBraces),
                              isNew ? QStringLiteral("new") : QStringLiteral("edit")));
    }
    void openUrl(const QUrl& url) override { calls.append(QStringLiteral("openUrl %1").arg(url.toString())); }
    void openFolder(const QString& path) override { calls.append(QStringLiteral("openFolder %1").arg(path)); }
    void copyToClipboard(const QString& text) override {
        calls.append(QStringLiteral("copyToClipboard %1").arg(text));
    }
    void quit() override { calls.append(QStringLiteral("quit")); }

    QStringList calls;
    std::optional<Goal> lastGoal;
    std::optional<EventTrigger> lastTrigger;
};
