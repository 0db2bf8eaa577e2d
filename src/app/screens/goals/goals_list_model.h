#pragma once

#include "app/screens/editing/deletion_undo.h"
#include "model/goal.h"

#include <QList>
#include <QObject>
#include <QString>

class AppState;

// One card of the Goals tab.
struct GoalCard {
    QUuid id;
    QString emoji;
    QString name;
    // "Stripe · Today"
    QString metaLine;
    // "$40 / $100"
    QString valueText;
    // 0 to 1; for avgPosition how close the position is to the target from above.
    double fraction = 0;
    bool isEnabled = true;
    bool isPaused = false;
    bool isNotConnected = false;
    bool isCrushed = false;
};

// The Goals tab's rules: cards from the published goals and snapshots, and the card actions, which write
// back into the engine and save.
class GoalsListModel : public QObject {
    Q_OBJECT
public:
    explicit GoalsListModel(AppState& state, QObject* parent = nullptr);

    QList<GoalCard> cards() const;
    static GoalCard card(const Goal& goal, AppState& state);

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
