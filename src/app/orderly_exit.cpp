#include "app/orderly_exit.h"

#include "app/instance/instance_server.h"
#include "engine/app_state.h"

#include <QApplication>
#include <QCoreApplication>

OrderlyExit::OrderlyExit(AppState& state, QObject* parent) : QObject(parent), m_state(state) {}

void OrderlyExit::leave(int status) {
    if (m_leaving)
        return;
    m_leaving = true;
    if (m_server)
        m_server->close();
    if (m_beforeSave)
        m_beforeSave();
    if (auto* gui = qobject_cast<QApplication*>(QCoreApplication::instance()))
        gui->closeAllWindows();
    m_state.saveAll();
    QCoreApplication::exit(status);
}

bool OrderlyExit::workStillSuspended() const {
    return m_state.isPolling() || (m_server && m_server->runningCommands() > 0);
}
