#include "google/xdg_browser_opener.h"

#include <QProcess>

bool XdgBrowserOpener::openUrl(const QUrl& url) {
    if (!url.isValid())
        return false;
    return QProcess::startDetached(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
}
