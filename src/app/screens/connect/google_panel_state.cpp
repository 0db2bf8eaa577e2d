#include "app/screens/connect/google_panel_state.h"

#include "engine/google_connect_flow.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Past this, an answer is a page rather than a message; the panel has room for a few lines.
constexpr qsizetype kLongestShown = 240;

QString shortened(QString text) {
    text = text.simplified();
    if (text.size() > kLongestShown)
        text = text.left(kLongestShown - 1) + QChar(0x2026);
    return text;
}

} // namespace

GooglePanelState::Section GooglePanelState::section() const {
    if (!configured)
        return Section::noClient;
    return signedIn ? Section::signedIn : Section::signedOut;
}

QString GooglePanelState::connectLabel() const {
    return authorizing ? QStringLiteral("Opening browser\u2026") : QStringLiteral("Connect with Google");
}

QString GooglePanelState::readableError(const QString& description) {
    const QJsonDocument document = QJsonDocument::fromJson(description.toUtf8());
    if (!document.isObject())
        return shortened(description);
    const QJsonValue error = document.object().value(QLatin1String("error"));
    // The token endpoint: {"error": "invalid_grant", "error_description": "Token has been expired or
    // revoked."}
    if (error.isString()) {
        const QString code = error.toString();
        const QString detail = document.object().value(QLatin1String("error_description")).toString();
        if (detail.isEmpty() || detail == code)
            return shortened(QStringLiteral("Google answered: %1").arg(code));
        return shortened(QStringLiteral("Google answered: %1 (%2)").arg(detail, code));
    }
    // The APIs: {"error": {"code": 403, "message": "…", "status": "PERMISSION_DENIED"}}
    const QString message = error.toObject().value(QLatin1String("message")).toString();
    if (!message.isEmpty())
        return shortened(QStringLiteral("Google answered: %1").arg(message));
    return shortened(description);
}

GooglePanelState::Failure GooglePanelState::signInFailure(const QString& description, bool cancelled) {
    if (cancelled)
        return {};
    return {readableError(description), false};
}

GooglePanelState::Failure GooglePanelState::listingFailure(const QString& description) {
    // The warning is decided on Google's own words, before they are made readable.
    return {readableError(description), GoogleConnectFlow::meansSessionExpired(description)};
}
