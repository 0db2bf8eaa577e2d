#include "app/screens/onboarding/onboarding_view.h"

#include "app/components/zing_page_dots.h"
#include "app/components/zing_panel_background.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_secondary_button.h"
#include "app/screens/onboarding/onboarding_pager.h"
#include "app/screens/onboarding/onboarding_pages.h"
#include "app/screens/onboarding/onboarding_style_page.h"
#include "app/screens/onboarding/onboarding_tile.h"
#include "app/screens/onboarding/onboarding_try_page.h"
#include "engine/app_state.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QVBoxLayout>

OnboardingView::OnboardingView(AppState& state, ShellActions&, std::function<void()> onComplete,
                               QWidget* parent)
    : QWidget(parent), m_model(state, std::move(onComplete)), m_pager(new OnboardingPager),
      m_stylePage(new OnboardingStylePage(m_model)), m_tryPage(new OnboardingTryPage(m_model)),
      m_back(new ZingSecondaryButton(QStringLiteral("Back"))),
      m_dots(new ZingPageDots(OnboardingModel::pageCount, 0)),
      m_next(new ZingPrimaryButton(QStringLiteral("Next"))),
      m_finish(new ZingPrimaryButton(QStringLiteral("Let's go"))) {
    auto* background = new ZingPanelBackground(this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(background);

    m_pager->addPage(OnboardingPages::welcome());
    m_pager->addPage(OnboardingPages::howItWorks());
    m_pager->addPage(m_stylePage);
    m_pager->addPage(m_tryPage);

    m_back->setSymbol(QStringLiteral("chevron.left"));
    m_next->setSymbol(QStringLiteral("chevron.right"));
    m_finish->setSymbol(QStringLiteral("sparkles"));
    // The dots stay centred whichever buttons the page offers.
    for (QWidget* button : {static_cast<QWidget*>(m_back), static_cast<QWidget*>(m_next)}) {
        QSizePolicy policy = button->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        button->setSizePolicy(policy);
    }
    auto* navigation = new QHBoxLayout;
    navigation->setContentsMargins(24, 8, 24, 20);
    navigation->addWidget(m_back);
    navigation->addStretch(1);
    navigation->addWidget(m_dots);
    navigation->addStretch(1);
    navigation->addWidget(m_next);
    navigation->addWidget(m_finish);

    auto* column = new QVBoxLayout(background);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_pager, 1);
    column->addLayout(navigation);

    connect(m_back, &QPushButton::clicked, this, &OnboardingView::goBack);
    connect(m_next, &QPushButton::clicked, this, &OnboardingView::goNext);
    connect(m_finish, &QPushButton::clicked, this, [this] { m_model.finish(); });
    connect(&state, &AppState::settingsChanged, this, [this] {
        m_stylePage->refresh();
        m_tryPage->refresh();
    });

    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, &OnboardingView::advance);
    }
    // Closing is not finishing: onboarding stays open for next time.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    close->setContext(Qt::WidgetWithChildrenShortcut);
    connect(close, &QShortcut::activated, this, [this] { window()->close(); });
    showPage();
}

void OnboardingView::goBack() {
    m_model.back();
    showPage();
}

void OnboardingView::goNext() {
    m_model.next();
    showPage();
}

void OnboardingView::advance() {
    // Enter presses the focused button (a tile, "Fire it on my screen", Back); elsewhere it moves forward.
    QWidget* focused = focusWidget();
    if (focused && focused != m_next && focused != m_finish &&
        (qobject_cast<QPushButton*>(focused) || qobject_cast<OnboardingTile*>(focused))) {
        static_cast<QAbstractButton*>(focused)->click();
        return;
    }
    if (m_model.canFinish())
        m_model.finish();
    else
        goNext();
}

void OnboardingView::showPage() {
    m_pager->setCurrentIndex(m_model.page());
    m_dots->setCurrent(m_model.page());
    m_back->setVisible(m_model.canGoBack());
    m_next->setVisible(m_model.canGoNext());
    m_finish->setVisible(m_model.canFinish());
    // The forward button takes the focus, so the keyboard carries on where the last press left off.
    QWidget* forward = m_model.canFinish() ? static_cast<QWidget*>(m_finish) : static_cast<QWidget*>(m_next);
    if (isVisible())
        forward->setFocus();
}

void OnboardingView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!focusWidget())
        (m_model.canFinish() ? m_finish : m_next)->setFocus();
}
