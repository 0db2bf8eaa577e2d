#pragma once

#include "app/screens/help/help_model.h"

#include <QList>
#include <QWidget>

class AppState;
class FaqRow;
class QLabel;
class QPushButton;
class ShellActions;

// The help tab: the questions (one open at a time), the sounds folder and the file-name prefixes.
class HelpView final : public QWidget {
    Q_OBJECT
public:
    // `soundsFolder` is the folder the sound engine reads the user's clips from.
    HelpView(AppState& state, ShellActions& shell, const QString& soundsFolder, QWidget* parent = nullptr);
    // With the real sounds folder.
    HelpView(AppState& state, ShellActions& shell, QWidget* parent = nullptr);

    const HelpModel& model() const { return m_model; }
    const QList<FaqRow*>& rows() const { return m_rows; }
    QPushButton* openFolderButton() const { return m_openFolder; }
    QPushButton* copyPathButton() const { return m_copyPath; }

private:
    void toggle(const QString& id);
    QWidget* makeFolderCard();
    QWidget* makePrefixCard();

    ShellActions& m_shell;
    QString m_soundsFolder;
    HelpModel m_model;
    QList<FaqRow*> m_rows;
    QPushButton* m_openFolder = nullptr;
    QPushButton* m_copyPath = nullptr;
};
