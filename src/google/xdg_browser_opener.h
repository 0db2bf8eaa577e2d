#pragma once

#include "google/browser_opener.h"

// Hands the address to xdg-open, the desktop's own choice of browser; no GUI library needed.
class XdgBrowserOpener final : public BrowserOpener {
public:
    bool openUrl(const QUrl& url) override;
};
