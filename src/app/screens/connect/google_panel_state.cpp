#include "app/screens/connect/google_panel_state.h"

#include "engine/google_connect_flow.h"

GooglePanelState::Section GooglePanelState::section() const {
    if (!configured)
        return Section::noClient;
    return signedIn ? Section::signedIn : Section::signedOut;
}

QString GooglePanelState::connectLabel() const {
    return authorizing ? QStringLiteral("Opening browser\u2026") : QStringLiteral("Connect with Google");
}

GooglePanelState::Failure GooglePanelState::signInFailure(const QString& description, bool cancelled) {
    if (cancelled)
        return {};
    return {description, false};
}

GooglePanelState::Failure GooglePanelState::listingFailure(const QString& description) {
    return {description, GoogleConnectFlow::meansSessionExpired(description)};
}
