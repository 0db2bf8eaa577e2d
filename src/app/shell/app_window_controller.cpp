#include "app/shell/app_window_controller.h"

#include "app/screens/editing/record_list.h"
#include "app/shell/window_titles.h"
#include "engine/app_state.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

namespace {

const QSize kEditorSize(720, 620);
const QSize kEditorMinimum(680, 560);
const QSize kSmallMinimum(380, 400);

} // namespace

AppWindowController::AppWindowController(AppState& state, ShellActions& shell, WindowScreens screens,
                                         QObject* parent)
    : QObject(parent), m_state(state), m_shell(shell), m_screens(std::move(screens)) {}

AppWindowController::~AppWindowController() {
    closeAll();
}

QWidget* AppWindowController::makeWindow(QWidget* content, const Frame& frame) {
    auto* window = new QWidget(nullptr, Qt::Window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(frame.title);
    window->setMinimumSize(frame.minimumSize);
    window->resize(frame.size);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return window;
}

void AppWindowController::bringToFront(QWidget* window, bool centre) {
    if (centre) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = window->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            window->move(frame.topLeft());
        }
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void AppWindowController::dismiss(QPointer<QWidget>& window) {
    if (window)
        window->close();
    window.clear();
}

void AppWindowController::showOnboarding() {
    if (m_onboarding && m_onboarding->isVisible()) {
        bringToFront(m_onboarding, false);
        return;
    }
    dismiss(m_onboarding);
    QWidget* content = m_screens.onboarding(m_state, m_shell, [this] {
        dismiss(m_onboarding);
        Q_EMIT onboardingCompleted();
    });
    m_onboarding = makeWindow(content, {QSize(520, 660), kSmallMinimum, WindowTitles::onboarding()});
    bringToFront(m_onboarding, true);
}

void AppWindowController::showSettings() {
    if (m_settings && m_settings->isVisible()) {
        bringToFront(m_settings, false);
        return;
    }
    dismiss(m_settings);
    m_settings = makeWindow(m_screens.settings(m_state, m_shell),
                            {QSize(440, 520), kSmallMinimum, WindowTitles::settings()});
    bringToFront(m_settings, true);
}

void AppWindowController::showGoalEditor(const Goal& goal, bool isNew) {
    dismiss(m_goalEditor);
    QWidget* content = m_screens.goalEditor(
        m_state, m_shell, goal, isNew,
        [this](const Goal& edited) {
            m_state.setGoals(RecordList::upsert(m_state.goals(), edited));
            m_state.saveAll();
            dismiss(m_goalEditor);
        },
        [this] { dismiss(m_goalEditor); });
    m_goalEditor = makeWindow(content, {kEditorSize, kEditorMinimum, WindowTitles::goalEditor(goal, isNew)});
    bringToFront(m_goalEditor, true);
}

void AppWindowController::showTriggerEditor(const EventTrigger& trigger, bool isNew) {
    dismiss(m_triggerEditor);
    QWidget* content = m_screens.triggerEditor(
        m_state, m_shell, trigger, isNew,
        [this](const EventTrigger& edited) {
            m_state.setTriggers(RecordList::upsert(m_state.triggers(), edited));
            m_state.saveAll();
            dismiss(m_triggerEditor);
        },
        [this] { dismiss(m_triggerEditor); });
    m_triggerEditor = makeWindow(content, {kEditorSize, kEditorMinimum, WindowTitles::triggerEditor(isNew)});
    bringToFront(m_triggerEditor, true);
}

void AppWindowController::closeAll() {
    dismiss(m_onboarding);
    dismiss(m_settings);
    dismiss(m_goalEditor);
    dismiss(m_triggerEditor);
}
