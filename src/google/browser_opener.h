#pragma once

#include <QUrl>

// Opens an address in the user's default browser.
class BrowserOpener {
public:
    virtual ~BrowserOpener() = default;
    // False when the browser could not be started.
    virtual bool openUrl(const QUrl& url) = 0;
};
