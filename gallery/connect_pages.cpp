#include "app/screens/connect/connect_session.h"
#include "app/screens/connect/connected_actions.h"
#include "app/screens/connect/integrations_view.h"
#include "app/screens/connect/stripe_connect_panel.h"
#include "gallery/gallery.h"
#include "providers/provider_error.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

// The Connect tab over its own session; the session goes with the view.
IntegrationsView* connectTab(GalleryFixture& f) {
    auto* session = new ConnectSession(f.state());
    auto* view = new IntegrationsView(*session, f.shell);
    session->setParent(view);
    return view;
}

ConnectSession& sessionOf(IntegrationsView* view) {
    return *view->findChild<ConnectSession*>();
}

} // namespace

ZINGBOARD_GALLERY_AREA(connect) {
    // Tall enough for the whole tab; the panel scrolls it.
    const QSize tab(380, 1000);
    gallery.add(
        {QStringLiteral("connect-tab-empty"), tab, [](GalleryFixture& f) { return connectTab(f); }, false});
    gallery.add({QStringLiteral("connect-tab-stripe-connected"), tab,
                 [](GalleryFixture& f) {
                     IntegrationsView* view = connectTab(f);
                     // The fake check answers at once.
                     sessionOf(view).connectStripe(QStringLiteral("rk_live_gallery"));
                     return view;
                 },
                 false});
    gallery.add({QStringLiteral("connect-tab-stripe-replacing-error"), tab,
                 [](GalleryFixture& f) {
                     IntegrationsView* view = connectTab(f);
                     sessionOf(view).connectStripe(QStringLiteral("rk_live_gallery"));
                     f.validator.error = std::make_exception_ptr(ProviderError::apiError(
                         QStringLiteral("Stripe rejected that key. Check permissions and try again.")));
                     StripeConnectPanel* stripe = view->stripePanel();
                     stripe->connectedActions()->replaceButton()->click();
                     stripe->keyField()->setText(QStringLiteral("sk_live_typo"));
                     stripe->submit();
                     f.focus = stripe->keyField();
                     return view;
                 },
                 false});
    gallery.add({QStringLiteral("connect-tab-datafast-connected"), tab,
                 [](GalleryFixture& f) {
                     IntegrationsView* view = connectTab(f);
                     sessionOf(view).connectDatafast(QStringLiteral("df_gallery"),
                                                     QStringLiteral("zingboard.app"));
                     return view;
                 },
                 false});
}
