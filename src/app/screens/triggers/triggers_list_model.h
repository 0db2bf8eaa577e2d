#pragma once

#include "app/screens/editing/deletion_undo.h"
#include "model/event_trigger.h"

#include <QList>
#include <QObject>
#include <QString>

class AppState;

// One card of the Triggers tab.
struct TriggerCard {
    QUuid id;
    QString emoji;
    QString name;
    // "Stripe · New payment"
    QString detailLine;
    // Shown after the detail line, in the warning colour, while the provider is not ready.
    bool isOffline = false;
    bool isEnabled = true;
};

// The Triggers tab's rules: cards from the published triggers and the card actions, which write back into
// the engine and save.
class TriggersListModel : public QObject {
    Q_OBJECT
public:
    explicit TriggersListModel(AppState& state, QObject* parent = nullptr);

    QList<TriggerCard> cards() const;

    void setEnabled(const QUuid& id, bool enabled);
    void test(const QUuid& id);
    // Removes and saves at once; undo() within the window puts it back where it was.
    void remove(const QUuid& id);
    DeletionUndo& undo() { return m_undo; }

Q_SIGNALS:
    void changed();

private:
    AppState& m_state;
    DeletionUndo m_undo;
};
