#include "app/components/zing_capsule_badge.h"
#include "app/screens/connect/connect_status_dots.h"
#include "app/screens/connect/connected_actions.h"
#include "app/screens/connect/datafast_connect_panel.h"
#include "app/screens/connect/google_connect_panel.h"
#include "app/screens/connect/integration_help_link.h"
#include "app/screens/connect/integrations_view.h"
#include "app/screens/connect/stripe_connect_panel.h"
#include "connect_fixture.h"
#include "model/credential_accounts.h"
#include "providers/provider_error.h"
#include "support/qt_printers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

class ConnectPanelTest : public ConnectTest {
protected:
    IntegrationsView& view() {
        if (!m_view) {
            m_view = std::make_unique<IntegrationsView>(session(), shell);
            m_view->resize(380, 900);
            m_view->show();
        }
        return *m_view;
    }
    StripeConnectPanel& stripe() { return *view().stripePanel(); }
    DatafastConnectPanel& datafast() { return *view().datafastPanel(); }
    void closeView() { m_view.reset(); }
    static void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void TearDown() override {
        m_view.reset();
        ConnectTest::TearDown();
    }

private:
    std::unique_ptr<IntegrationsView> m_view;
};

TEST_F(ConnectPanelTest, FirstStartShowsBothFormsAndNoDotLit) {
    EXPECT_EQ(view().countLabel()->text(), QStringLiteral("0 of 3 connected"));
    EXPECT_EQ(view().statusDots()->lit(), (QList<bool>{false, false, false}));
    EXPECT_TRUE(stripe().keyField()->isVisible());
    EXPECT_FALSE(stripe().connectedActions()->isVisible());
    EXPECT_FALSE(stripe().badge()->isVisible());
    EXPECT_EQ(stripe().submitButton()->text(), QStringLiteral("Connect Stripe"));
    EXPECT_FALSE(stripe().cancelButton()->isVisible());
    EXPECT_EQ(datafast().submitButton()->text(), QStringLiteral("Connect Datafast"));
    EXPECT_TRUE(datafast().websiteField()->isVisible());
    EXPECT_EQ(stripe().keyField()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(datafast().keyField()->echoMode(), QLineEdit::Password);
}

TEST_F(ConnectPanelTest, EnterConnectsAndTheKeyLeavesTheScreen) {
    validator.gate.close();
    type(stripe().keyField(), QStringLiteral(" sk_live_secret "));
    QTest::keyClick(stripe().keyField(), Qt::Key_Return);
    EXPECT_EQ(stripe().submitButton()->text(), QStringLiteral("Validating\u2026"));
    EXPECT_FALSE(stripe().submitButton()->isEnabled());
    // Enter again while the check runs starts nothing more.
    QTest::keyClick(stripe().keyField(), Qt::Key_Return);
    validator.gate.open();
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::stripe).busy; }, 20000));
    EXPECT_EQ(validator.checked, QList<IntegrationProvider>{IntegrationProvider::stripe});
    EXPECT_EQ(stored(CredentialAccounts::stripeSecretKey()), QStringLiteral("sk_live_secret"));
    EXPECT_TRUE(stripe().keyField()->text().isEmpty());
    EXPECT_FALSE(stripe().keyField()->isVisible());
    EXPECT_TRUE(stripe().connectedActions()->isVisible());
    EXPECT_TRUE(stripe().badge()->isVisible());
    EXPECT_EQ(view().countLabel()->text(), QStringLiteral("1 of 3 connected"));
    EXPECT_EQ(view().statusDots()->lit(), (QList<bool>{true, false, false}));
}

TEST_F(ConnectPanelTest, ReplacingShowsUpdateKeyAndEscapeOrCancelGoesBack) {
    session().connectStripe(QStringLiteral("sk_working"));
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::stripe).busy; }, 20000));
    QTest::mouseClick(stripe().connectedActions()->replaceButton(), Qt::LeftButton);
    EXPECT_TRUE(stripe().keyField()->isVisible());
    EXPECT_EQ(view().focusWidget(), stripe().keyField());
    EXPECT_EQ(stripe().submitButton()->text(), QStringLiteral("Update key"));
    EXPECT_TRUE(stripe().cancelButton()->isVisible());

    validator.error = std::make_exception_ptr(ProviderError::apiError(QStringLiteral("rejected")));
    type(stripe().keyField(), QStringLiteral("sk_typo"));
    QTest::mouseClick(stripe().submitButton(), Qt::LeftButton);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::stripe).busy; }, 20000));
    EXPECT_EQ(stripe().errorLabel()->text(), QStringLiteral("rejected"));
    EXPECT_TRUE(stripe().errorLabel()->isVisible());
    EXPECT_EQ(stored(CredentialAccounts::stripeSecretKey()), QStringLiteral("sk_working"));
    EXPECT_TRUE(stripe().keyField()->isVisible()) << "a rejected replacement stays open to correct";

    QTest::keyClick(stripe().keyField(), Qt::Key_Escape);
    EXPECT_FALSE(stripe().keyField()->isVisible());
    EXPECT_TRUE(stripe().connectedActions()->isVisible());
    EXPECT_TRUE(stripe().keyField()->text().isEmpty());

    QTest::mouseClick(stripe().connectedActions()->replaceButton(), Qt::LeftButton);
    EXPECT_FALSE(stripe().errorLabel()->isVisible()) << "cancelling forgot the error";
    QTest::mouseClick(stripe().cancelButton(), Qt::LeftButton);
    EXPECT_TRUE(stripe().connectedActions()->isVisible());

    QTest::mouseClick(stripe().connectedActions()->disconnectButton(), Qt::LeftButton);
    EXPECT_FALSE(connected(IntegrationProvider::stripe));
    EXPECT_TRUE(stripe().keyField()->isVisible());
    EXPECT_EQ(stored(CredentialAccounts::stripeSecretKey()), std::nullopt);
}

TEST_F(ConnectPanelTest, ACheckStillRunningWhenThePanelClosesShowsItsOutcomeInTheNextPanel) {
    validator.gate.close();
    validator.error =
        std::make_exception_ptr(ProviderError::apiError(QStringLiteral("Website ID is required.")));
    type(datafast().keyField(), QStringLiteral("df_key"));
    QTest::mouseClick(datafast().submitButton(), Qt::LeftButton);
    closeView();
    EXPECT_EQ(datafast().submitButton()->text(), QStringLiteral("Validating\u2026"));
    validator.gate.open();
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::datafast).busy; }, 20000));
    EXPECT_EQ(datafast().errorLabel()->text(), QStringLiteral("Website ID is required."));
    EXPECT_EQ(stored(CredentialAccounts::datafastApiKey()), std::nullopt);
}

TEST_F(ConnectPanelTest, DatafastConnectsWithTheTypedWebsiteAsItsDetail) {
    type(datafast().keyField(), QStringLiteral("df_key"));
    type(datafast().websiteField(), QStringLiteral(" example.com "));
    QTest::keyClick(datafast().websiteField(), Qt::Key_Enter);
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !session().keyConnect(IntegrationProvider::datafast).busy; }, 20000));
    EXPECT_TRUE(connected(IntegrationProvider::datafast));
    EXPECT_EQ(datafast().connectedActions()->detailLabel()->text(), QStringLiteral("Website example.com"));
    EXPECT_TRUE(datafast().websiteField()->text().isEmpty());
    EXPECT_EQ(view().statusDots()->lit(), (QList<bool>{false, false, true}));
}

TEST_F(ConnectPanelTest, HelpLinksOpenTheirPagesInTheBrowser) {
    QTest::mouseClick(stripe().helpLink()->link(), Qt::LeftButton);
    datafast().helpLink()->link()->click();
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_TRUE(shell.calls.at(0).startsWith(QStringLiteral("openUrl https://")));
    EXPECT_TRUE(shell.calls.at(0).contains(QStringLiteral("/apikeys/create?name=Zingboard")));
    EXPECT_TRUE(shell.calls.at(1).endsWith(QStringLiteral("/docs/api")));
}

TEST_F(ConnectPanelTest, TabRunsThroughEachFormInReadingOrder) {
    view().activateWindow();
    stripe().helpLink()->link()->setFocus();
    QList<QWidget*> order;
    QWidget* focus = stripe().helpLink()->link();
    for (int i = 0; i < 6; ++i) {
        order.append(focus);
        do
            focus = focus->nextInFocusChain();
        while (!(focus->focusPolicy() & Qt::TabFocus) || !focus->isVisibleTo(&view()));
    }
    EXPECT_EQ(order, (QList<QWidget*>{stripe().helpLink()->link(), stripe().keyField(),
                                      stripe().submitButton(), view().googlePanel()->consoleLink()->link(),
                                      datafast().helpLink()->link(), datafast().keyField()}));
}

} // namespace
