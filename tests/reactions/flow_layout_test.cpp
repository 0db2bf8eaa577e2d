#include "reactions/flow_layout.h"

#include <gtest/gtest.h>

namespace {

QList<QSizeF> widths(std::initializer_list<double> ws, double height = 20) {
    QList<QSizeF> sizes;
    for (double w : ws)
        sizes.append(QSizeF(w, height));
    return sizes;
}

TEST(FlowLayout, FillsRowsGreedilyAndCentresEachRow) {
    const FlowLayout layout(8);
    const auto result = layout.arrange(380.0, widths({200, 150, 100}));
    ASSERT_EQ(result.frames.size(), 3);
    // 200 + 8 + 150 = 358 fits in 380: centred at (380 - 358) / 2 = 11.
    EXPECT_EQ(result.frames[0], QRectF(11, 0, 200, 20));
    EXPECT_EQ(result.frames[1], QRectF(219, 0, 150, 20));
    // 358 + 8 + 100 would not: the third opens a second row, centred at 140.
    EXPECT_EQ(result.frames[2], QRectF(140, 28, 100, 20));
    EXPECT_EQ(result.size, QSizeF(380, 48));
}

TEST(FlowLayout, OpenWidthProposalUses420Points) {
    const FlowLayout layout(8);
    const auto result = layout.arrange(std::nullopt, widths({200, 150, 100}));
    // In 420 points the same three chips fit on a second row only from 200 + 8 + 150 + 8 + 100 = 466.
    EXPECT_EQ(result.size.width(), 420);
    EXPECT_EQ(result.frames[0].topLeft(), QPointF(31, 0));
    EXPECT_EQ(result.frames[2], QRectF(160, 28, 100, 20));
    EXPECT_EQ(layout.sizeThatFits(std::nullopt, {}), QSizeF(420, 0));
}

TEST(FlowLayout, EdgeCases) {
    const FlowLayout layout(8);
    struct Case {
        const char* name;
        double maxWidth;
        QList<QSizeF> items;
        QList<QRectF> frames;
        QSizeF size;
    };
    const QList<Case> cases = {
        {"no items", 300, {}, {}, QSizeF(300, 0)},
        // Exactly filling the width still shares the row (<=).
        {"exact fit",
         308,
         widths({150, 150}),
         {QRectF(0, 0, 150, 20), QRectF(158, 0, 150, 20)},
         QSizeF(308, 20)},
        // Wider than the row: a row of its own starting at 0, never at a negative x.
        {"too wide",
         100,
         widths({30, 140, 30}),
         {QRectF(35, 0, 30, 20), QRectF(0, 28, 140, 20), QRectF(35, 56, 30, 20)},
         QSizeF(100, 76)},
        // Row height is its tallest item; items are top-aligned.
        {"mixed heights",
         200,
         {QSizeF(50, 10), QSizeF(50, 30), QSizeF(150, 12)},
         {QRectF(46, 0, 50, 10), QRectF(104, 0, 50, 30), QRectF(25, 38, 150, 12)},
         QSizeF(200, 50)},
    };
    for (const Case& c : cases) {
        const auto result = layout.arrange(c.maxWidth, c.items);
        EXPECT_EQ(result.frames, c.frames) << c.name;
        EXPECT_EQ(result.size, c.size) << c.name;
    }
}

TEST(FlowLayout, PlacesFramesRelativeToTheBounds) {
    const FlowLayout layout(8);
    const auto frames = layout.place(QRectF(100, 50, 380, 200), widths({200, 150, 100}));
    EXPECT_EQ(frames[0], QRectF(111, 50, 200, 20));
    EXPECT_EQ(frames[2], QRectF(240, 78, 100, 20));
}

} // namespace
