#include "app/screens/connect/credential_panel_state.h"

QString CredentialPanelState::submitLabel(const QString& connectLabel) const {
    if (busy)
        return QStringLiteral("Validating\u2026");
    return isReplacing() ? QStringLiteral("Update key") : connectLabel;
}

std::optional<QString> CredentialPanelState::shownError() const {
    if (!showsForm() || !errorMessage || errorMessage->isEmpty())
        return std::nullopt;
    return errorMessage;
}
