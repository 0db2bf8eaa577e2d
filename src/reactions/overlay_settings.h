#pragma once

#include "model/notification_style.h"

#include <functional>

// The two settings the overlay reads at every render.
struct OverlaySettings {
    NotificationStyle notificationStyle = NotificationStyle::celebration;
    bool reactionAnimationsEnabled = true;

    bool operator==(const OverlaySettings&) const = default;
};

// Reads the current settings from wherever they live, so the overlay never holds a stale copy.
using OverlaySettingsSource = std::function<OverlaySettings()>;
