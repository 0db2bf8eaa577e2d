#include "app/screens/reaction/emoji_grid_model.h"

#include <gtest/gtest.h>

namespace {

const QString rocket = QString::fromUtf8("\U0001F680");
const QString skull = QString::fromUtf8("\u2620\uFE0F");

QStringList strings(std::initializer_list<const char*> items) {
    QStringList result;
    for (const char* item : items)
        result.append(QString::fromUtf8(item));
    return result;
}

TEST(EmojiGridModel, NoSuggestedSectionForAnEmptyList) {
    const EmojiGridModel model{QStringList()};
    ASSERT_EQ(model.sections().size(), 6);
    EXPECT_EQ(model.sections().first().title, QStringLiteral("Money"));
    EXPECT_EQ(model.cellCount(), 48);
}

TEST(EmojiGridModel, SuggestedComesFirstAsGiven) {
    const QStringList suggested = strings({"\U0001F40B", "\U0001F680", "\U0001F40B"});
    const EmojiGridModel model(suggested);
    ASSERT_EQ(model.sections().size(), 7);
    EXPECT_EQ(model.sections().first().title, QStringLiteral("Suggested"));
    EXPECT_EQ(model.sections().first().emojis, suggested);
    EXPECT_EQ(model.cellCount(), 51);
    EXPECT_EQ(model.section(3), 1);
}

TEST(EmojiGridModel, MarksEveryCellShowingTheSelectionAndNoneForAStranger) {
    const EmojiGridModel model(strings({"\U0001F40B", "\U0001F680"}));
    const QList<int> rockets = model.markedCells(rocket);
    ASSERT_EQ(rockets.size(), 2); // in "Suggested" and in "Hype"
    EXPECT_EQ(model.section(rockets.at(0)), 0);
    EXPECT_EQ(model.sections().at(model.section(rockets.at(1))).title, QStringLiteral("Hype"));

    EXPECT_TRUE(model.markedCells(QString::fromUtf8("\U0001F996")).isEmpty());
    EXPECT_TRUE(model.markedCells(QString()).isEmpty());
    // The same symbol without its presentation selector is a different emoji.
    EXPECT_EQ(model.markedCells(skull).size(), 1);
    EXPECT_TRUE(model.markedCells(QString::fromUtf8("\u2620")).isEmpty());
}

TEST(EmojiGridModel, GeometryHasEightEqualColumnsAndNoOverlaps) {
    // Ten suggestions wrap onto a second row of two.
    const EmojiGridModel model(
        strings({"\U0001F40B", "\U0001F680", "\U0001F389", "\U0001F40B", "\U0001F680", "\U0001F389",
                 "\U0001F40B", "\U0001F680", "\U0001F389", "\U0001F40B"}));
    const double width = 402;
    const auto geometry = model.geometry(width, 12);
    ASSERT_EQ(geometry.cells.size(), model.cellCount());
    ASSERT_EQ(geometry.titles.size(), model.sections().size());

    const double cellWidth = (width - 7 * 6) / 8;
    QList<QRectF> all = geometry.titles + geometry.cells;
    for (const QRectF& cell : geometry.cells) {
        EXPECT_DOUBLE_EQ(cell.width(), cellWidth);
        EXPECT_DOUBLE_EQ(cell.height(), 36);
        EXPECT_GE(cell.left(), 0);
        EXPECT_LE(cell.right(), width + 1e-9);
    }
    for (qsizetype i = 0; i < all.size(); ++i)
        for (qsizetype j = i + 1; j < all.size(); ++j)
            EXPECT_FALSE(all.at(i).intersects(all.at(j))) << i << " " << j;
    // The ninth cell of a section starts its second row under the first.
    EXPECT_DOUBLE_EQ(geometry.cells.at(8).left(), geometry.cells.at(0).left());
    EXPECT_DOUBLE_EQ(geometry.cells.at(8).top(), geometry.cells.at(0).bottom() + 6);
    EXPECT_GT(geometry.titles.at(1).top(), geometry.cells.at(9).bottom());
    EXPECT_DOUBLE_EQ(geometry.height, geometry.cells.last().bottom());
}

TEST(EmojiGridModel, ArrowKeysWalkRowsAcrossSectionsOfDifferentLengths) {
    using D = EmojiGridModel::Direction;
    // Row 0: three suggested cells (0-2); row 1: Money (3-10); row 2: Hype (11-18); ... last row 43-50.
    const EmojiGridModel model(strings({"\U0001F40B", "\U0001F680", "\U0001F389"}));
    const struct {
        int from;
        D direction;
        int to;
    } cases[] = {
        {0, D::left, 0},  {2, D::right, 2},  {3, D::left, 3}, {10, D::right, 10}, {4, D::right, 5},
        {9, D::up, 2},    {3, D::up, 0},     {1, D::down, 4}, {2, D::down, 5},    {0, D::up, 0},
        {5, D::down, 13}, {50, D::down, 50}, {45, D::up, 37}, {10, D::left, 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(model.neighbour(c.from, c.direction), c.to) << c.from << " " << int(c.direction);
}

} // namespace
