#pragma once

#include <QString>
#include <optional>

// What a key panel (Stripe, Datafast) shows, from whether its source is connected, whether the user opened
// the key entry to replace the key, and the running connect. The typed text itself is the widget's.
struct CredentialPanelState {
    bool connected = false;
    // The key entry is open although the source is connected.
    bool expanded = false;
    bool busy = false;
    std::optional<QString> errorMessage;

    // The entry form (true) or the connected actions (false).
    bool showsForm() const { return !connected || expanded; }
    bool isReplacing() const { return connected && expanded; }
    // `connectLabel` is the panel's own ("Connect Stripe"); replacing reads "Update key".
    QString submitLabel(const QString& connectLabel) const;
    bool canSubmit() const { return showsForm() && !busy; }
    bool showsCancel() const { return isReplacing(); }
    bool canCancel() const { return isReplacing() && !busy; }
    // The error line, only under the form.
    std::optional<QString> shownError() const;
};
