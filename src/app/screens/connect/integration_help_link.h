#pragma once

#include <QStringList>
#include <QUrl>
#include <QWidget>

class QToolButton;
class ShellActions;

// A link that opens an outside page in the default browser, marked with an outward arrow, and the numbered
// steps to follow there.
class IntegrationHelpLink final : public QWidget {
    Q_OBJECT
public:
    IntegrationHelpLink(const QString& title, const QStringList& steps, const QUrl& url, ShellActions& shell,
                        QWidget* parent = nullptr);

    QToolButton* link() const { return m_link; }
    QUrl url() const { return m_url; }
    // "1. First step", "2. ...".
    static QStringList numberedSteps(const QStringList& steps);

private:
    QToolButton* m_link;
    QUrl m_url;
};
