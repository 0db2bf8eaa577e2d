#pragma once

#include <QString>
#include <optional>

// What the Google panel shows: one of three sections, the sign-in button, and how a failure reads.
struct GooglePanelState {
    enum class Section {
        // No OAuth client identifier is configured in this build or the environment.
        noClient,
        signedOut,
        signedIn,
    };

    bool configured = false;
    bool signedIn = false;
    bool authorizing = false;

    Section section() const;
    QString connectLabel() const;
    bool canConnect() const { return !authorizing; }

    // What a failed sign-in or listing leaves on the panel: no text for a sign-in the user cancelled, and
    // the session-expired warning when Google no longer accepts the stored sign-in.
    struct Failure {
        std::optional<QString> message;
        bool sessionExpired = false;
    };
    // Google's JSON error bodies as one sentence; other texts as they are. Long answers are cut short.
    static QString readableError(const QString& description);
    static Failure signInFailure(const QString& description, bool cancelled);
    static Failure listingFailure(const QString& description);
};
