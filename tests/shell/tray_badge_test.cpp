#include "app/components/zing_artwork.h"
#include "app/shell/tray_badge.h"
#include "support/qt_printers.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(TrayBadge, CompactTextFitsFourCharacters) {
    const struct {
        const char* title;
        const char* expected;
    } cases[] = {
        {"$85", "$85"},
        {"$0", "$0"},
        {"999", "999"},
        {"1000", "1k"},
        {"1234", "1.2k"},
        {"1960", "2k"},
        {"12345", "12k"},
        {"123456", "123k"},
        // Rounds to a thousand thousands: the next unit, not "1000k".
        {"999999", "1M"},
        {"1500000", "1.5M"},
        {"$1234", "$1k"},
        {"$12345", "$12k"},
        // The number wins over the currency sign.
        {"$123456", "123k"},
        {"$-12", "-$12"},
        {"$-1234", "-$1k"},
        {"-5", "-5"},
        {"\xe2\x82\xac"
         "85",
         "\xe2\x82\xac"
         "85"},
        {"85 \xe2\x82\xac", "85\xe2\x82\xac"},
        {"", ""},
        {"n/a", ""},
    };
    for (const auto& c : cases) {
        const QString compact = TrayBadge::compactText(QString::fromUtf8(c.title));
        EXPECT_EQ(compact, QString::fromUtf8(c.expected)) << c.title;
        EXPECT_LE(compact.size(), TrayBadge::kMaxCharacters) << c.title;
    }
}

// The badge covers the lower part of the icon and leaves the logo's top visible, at the sizes trays use.
TEST(TrayBadge, DrawsOverTheLowerPartOnly) {
    const QIcon logo = ZingArtwork::icon(QStringLiteral("Logo"));
    for (int size : {22, 32}) {
        const QImage plain = TrayBadge::render(logo, size, QString()).toImage();
        const QImage badged = TrayBadge::render(logo, size, QStringLiteral("1.2k")).toImage();
        int changedTop = 0;
        int changedBottom = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                if (plain.pixel(x, y) != badged.pixel(x, y))
                    ++(y < size / 3 ? changedTop : changedBottom);
            }
        }
        EXPECT_EQ(changedTop, 0) << size;
        EXPECT_GT(changedBottom, size * size / 6) << size;
    }
}

} // namespace
