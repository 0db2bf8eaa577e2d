#include "app/screens/reaction/emoji_picker_grid.h"
#include "app/screens/reaction/reaction_editor.h"
#include "app/screens/reaction/reaction_preset_button.h"
#include "app/screens/reaction/reaction_preset_row.h"
#include "app/screens/reaction/sound_picker.h"
#include "support/recording_sound_player.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const ReactionConfig working{QString::fromUtf8("\U0001F4B0"), SoundEffect::chaChing,
                             QStringLiteral("Ka-ching!")};

// An editor for a goal on `metric` holding `working`, recording what it announces.
struct Fixture {
    RecordingSoundPlayer player;
    ReactionEditor editor{player};
    QList<ReactionConfig> changes;

    explicit Fixture(std::optional<MetricKind> metric = MetricKind::revenueToday, bool presets = true) {
        editor.setGoalMetric(metric);
        editor.setShowPresets(presets);
        editor.setReaction(working);
        editor.resize(420, 600);
        QObject::connect(&editor, &ReactionEditor::reactionChanged,
                         [this](const ReactionConfig& reaction) { changes.append(reaction); });
    }

    QStringList labelTexts() const {
        QStringList texts;
        for (const QLabel* label : editor.findChildren<QLabel*>())
            texts.append(label->text());
        return texts;
    }

    void showActive() {
        editor.show();
        QApplication::setActiveWindow(&editor);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    }
};

TEST(ReactionEditor, ClickingACellChangesOnlyTheEmoji) {
    Fixture f;
    f.showActive();
    EmojiPickerGrid* grid = f.editor.emojiGrid();
    const int rocket = grid->model().markedCells(QString::fromUtf8("\U0001F680")).first();
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(rocket).center());

    ASSERT_EQ(f.changes.size(), 1);
    const ReactionConfig expected{QString::fromUtf8("\U0001F680"), SoundEffect::chaChing,
                                  QStringLiteral("Ka-ching!")};
    EXPECT_EQ(f.changes.first(), expected);
    EXPECT_EQ(f.editor.reaction(), expected);
    EXPECT_EQ(grid->selection(), expected.emoji);
}

TEST(ReactionEditor, PickingASoundAndPreviewingIt) {
    Fixture f;
    f.showActive();
    SoundPicker* picker = f.editor.soundPicker();
    picker->menu()->setFocus();
    QTest::keyClick(picker->menu(), Qt::Key_Down); // chaChing -> rocketWhoosh

    ASSERT_EQ(f.changes.size(), 1);
    EXPECT_EQ(f.editor.reaction().sound, SoundEffect::rocketWhoosh);
    EXPECT_EQ(f.editor.reaction().emoji, working.emoji);
    EXPECT_EQ(picker->subtitleLabel()->text(), SoundEffects::subtitle(SoundEffect::rocketWhoosh));
    EXPECT_TRUE(f.player.played.isEmpty()); // picking alone plays nothing

    QTest::mouseClick(picker->previewButton(), Qt::LeftButton);
    ASSERT_EQ(f.player.played.size(), 1);
    EXPECT_EQ(f.player.played.first().first, SoundEffect::rocketWhoosh);
    EXPECT_DOUBLE_EQ(f.player.played.first().second, 0.9);
}

TEST(ReactionEditor, TypingAMessageOutsideLatin1) {
    Fixture f;
    f.showActive();
    QLineEdit* field = f.editor.messageField();
    field->setFocus();
    field->selectAll();
    const QString typed = QString::fromUtf8("Ça marche \u2014 \U0001F389");
    // keyClicks asserts on text outside Latin-1: one key event per character (a whole surrogate pair).
    for (const char32_t codePoint : typed.toUcs4())
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString::fromUcs4(&codePoint, 1), {});

    EXPECT_EQ(f.editor.reaction().message, typed);
    ASSERT_FALSE(f.changes.isEmpty());
    EXPECT_EQ(f.changes.last().message, typed);
    EXPECT_EQ(f.changes.last().emoji, working.emoji);
}

TEST(ReactionEditor, APresetReplacesAllThreeFieldsAndATypedMessageIsLost) {
    Fixture f(std::nullopt);
    f.editor.setEventKind(TriggerEventKind::stripeRefund);
    f.showActive();
    f.editor.messageField()->setFocus();
    QTest::keyClicks(f.editor.messageField(), QStringLiteral(" typed"));

    ReactionPresetRow* row = f.editor.presetRow();
    ASSERT_NE(row, nullptr);
    ReactionPresetButton* sad = row->buttons().at(1);
    EXPECT_EQ(sad->preset().label, QStringLiteral("Sad"));
    QTest::mouseClick(sad, Qt::LeftButton);

    EXPECT_EQ(f.editor.reaction(), sad->preset().config);
    EXPECT_EQ(f.changes.last(), sad->preset().config);
    EXPECT_EQ(f.editor.messageField()->text(), sad->preset().config.message);
    EXPECT_EQ(f.editor.emojiGrid()->selection(), sad->preset().config.emoji);
    EXPECT_EQ(f.editor.soundPicker()->menu()->currentText(), SoundEffects::title(SoundEffect::sadTrombone));
}

TEST(ReactionEditor, PresetsOnlyWhenAskedAndTheGoalMetricWinsOverTheEventKind) {
    Fixture hidden(MetricKind::revenueToday, false);
    EXPECT_EQ(hidden.editor.presetRow(), nullptr);
    EXPECT_FALSE(hidden.labelTexts().contains(QStringLiteral("Quick presets")));
    EXPECT_TRUE(hidden.labelTexts().contains(QStringLiteral("Emoji")));

    Fixture goal(MetricKind::avgPosition);
    goal.editor.setEventKind(TriggerEventKind::stripeRefund);
    ASSERT_NE(goal.editor.presetRow(), nullptr);
    EXPECT_EQ(goal.labelTexts().count(QStringLiteral("Quick presets")), 1);
    EXPECT_EQ(goal.editor.presetRow()->buttons().first()->preset().label, QStringLiteral("Rank"));

    goal.editor.setShowPresets(false);
    EXPECT_FALSE(goal.labelTexts().contains(QStringLiteral("Quick presets")));
    EXPECT_TRUE(goal.changes.isEmpty());
}

TEST(ReactionEditor, AnEmojiInNoSectionMarksNoCellAndStays) {
    Fixture f;
    f.editor.setSuggestedEmojis({QString::fromUtf8("\U0001F4B0")});
    const QString dinosaur = QString::fromUtf8("\U0001F996");
    f.editor.setReaction({dinosaur, SoundEffect::moan, QStringLiteral("Rawr")});
    const EmojiPickerGrid* grid = f.editor.emojiGrid();
    EXPECT_TRUE(grid->model().markedCells(grid->selection()).isEmpty());
    EXPECT_EQ(f.editor.reaction().emoji, dinosaur);
    EXPECT_TRUE(f.changes.isEmpty());

    // The money bag is both suggested and in "Money": both cells show it.
    f.editor.setReaction(working);
    EXPECT_EQ(grid->model().markedCells(grid->selection()).size(), 2);
}

TEST(ReactionEditor, KeyboardReachesEveryPartInOrderAndPicksCells) {
    Fixture f;
    f.showActive();
    QList<QWidget*> expected;
    for (QWidget* button : f.editor.presetRow()->buttons())
        expected.append(button);
    expected << f.editor.emojiGrid() << f.editor.soundPicker()->menu()
             << f.editor.soundPicker()->previewButton() << f.editor.messageField();
    expected.first()->setFocus();
    for (qsizetype i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected.at(i)) << i;
    }

    // Back to the grid: the focus starts on the selected cell; Right then Space picks its neighbour.
    EmojiPickerGrid* grid = f.editor.emojiGrid();
    grid->setFocus();
    EXPECT_EQ(grid->model().emoji(grid->currentCell()), working.emoji);
    QTest::keyClick(grid, Qt::Key_Right);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_TRUE(f.changes.isEmpty());
    QTest::keyClick(grid, Qt::Key_Space);
    ASSERT_EQ(f.changes.size(), 1);
    EXPECT_EQ(f.changes.first().emoji, QString::fromUtf8("\U0001F525")); // Money's 2nd column -> Hype's 2nd
}

} // namespace
