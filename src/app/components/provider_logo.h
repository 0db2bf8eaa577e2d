#pragma once

#include "model/integration_provider.h"

#include <QWidget>

class QPainter;

// A provider's square mark of side `size`: its image from data/artwork/, the Google mark for any provider
// when `useGoogleMark` is set, and for the demo source the 🎭 emoji as text at 0.85 x size, centred.
class ProviderLogo final : public QWidget {
    Q_OBJECT
public:
    ProviderLogo(IntegrationProvider provider, int size, bool useGoogleMark = false,
                 QWidget* parent = nullptr);

    IntegrationProvider provider() const { return m_provider; }
    void setProvider(IntegrationProvider provider, bool useGoogleMark = false);

    // The image drawn, or empty when the emoji is drawn instead.
    static QString imageName(IntegrationProvider provider, bool useGoogleMark);
    // Draws the mark into `rect` (kept square), for components that paint rows themselves.
    static void paint(QPainter& painter, const QRectF& rect, IntegrationProvider provider,
                      bool useGoogleMark);

    QSize sizeHint() const override { return QSize(m_size, m_size); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    IntegrationProvider m_provider;
    int m_size;
    bool m_useGoogleMark;
};
