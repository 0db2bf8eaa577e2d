#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QPainter;
class QRectF;

// Our own full-colour images under data/artwork/: "Logo", "StripeLogo", "GoogleAnalyticsLogo",
// "DatafastLogo", "GoogleSearchConsoleLogo" and "GoogleLogo". An unknown name draws nothing.
namespace ZingArtwork {
bool has(const QString& name);
QPixmap pixmap(const QString& name, int size, qreal devicePixelRatio = 1.0);
// An icon with pixmaps at the sizes trays and task bars ask for (16 to 128).
QIcon icon(const QString& name);
// Draws the image scaled to fill `rect` (kept square, centred).
void paint(QPainter& painter, const QRectF& rect, const QString& name);
} // namespace ZingArtwork
