#include "app/screens/editing/deletion_undo.h"

DeletionUndo::DeletionUndo(Clock& clock, QObject* parent) : QObject(parent), m_clock(clock) {}

DeletionUndo::~DeletionUndo() {
    cancelTimer();
}

void DeletionUndo::offer(const QString& name, std::function<void()> restore) {
    cancelTimer();
    m_name = name;
    m_restore = std::move(restore);
    m_timer = m_clock.callAfter(window, this, [this] {
        m_timer.reset();
        dismiss();
    });
    Q_EMIT changed();
}

QString DeletionUndo::message() const {
    return isActive() ? QStringLiteral("Deleted %1").arg(m_name) : QString();
}

void DeletionUndo::undo() {
    if (!m_restore)
        return;
    // Cleared first: restoring may delete or offer again.
    auto restore = std::move(m_restore);
    m_restore = nullptr;
    cancelTimer();
    restore();
    Q_EMIT changed();
}

void DeletionUndo::dismiss() {
    cancelTimer();
    if (!m_restore)
        return;
    m_restore = nullptr;
    m_name.clear();
    Q_EMIT changed();
}

void DeletionUndo::cancelTimer() {
    if (m_timer)
        m_clock.cancel(*m_timer);
    m_timer.reset();
}
