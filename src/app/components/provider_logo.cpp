#include "app/components/provider_logo.h"

#include "app/components/zing_artwork.h"
#include "app/components/zing_fonts.h"

#include <QPainter>
#include <cmath>

namespace {
constexpr double emojiScale = 0.85;
const QString demoEmoji = QStringLiteral("\U0001F3AD");
} // namespace

ProviderLogo::ProviderLogo(IntegrationProvider provider, int size, bool useGoogleMark, QWidget* parent)
    : QWidget(parent), m_provider(provider), m_size(size), m_useGoogleMark(useGoogleMark) {
    setFixedSize(size, size);
    setAccessibleName(IntegrationProviders::displayName(provider));
}

void ProviderLogo::setProvider(IntegrationProvider provider, bool useGoogleMark) {
    m_provider = provider;
    m_useGoogleMark = useGoogleMark;
    setAccessibleName(IntegrationProviders::displayName(provider));
    update();
}

QString ProviderLogo::imageName(IntegrationProvider provider, bool useGoogleMark) {
    if (useGoogleMark)
        return QStringLiteral("GoogleLogo");
    return IntegrationProviders::logoImageName(provider);
}

void ProviderLogo::paint(QPainter& painter, const QRectF& rect, IntegrationProvider provider,
                         bool useGoogleMark) {
    const QString image = imageName(provider, useGoogleMark);
    if (!image.isEmpty()) {
        ZingArtwork::paint(painter, rect, image);
        return;
    }
    const qreal side = std::min(rect.width(), rect.height());
    painter.save();
    painter.setFont(ZingFonts::emoji(std::max(1, int(std::lround(side * emojiScale)))));
    painter.drawText(rect, Qt::AlignCenter, demoEmoji);
    painter.restore();
}

void ProviderLogo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, QRectF(rect()), m_provider, m_useGoogleMark);
}
