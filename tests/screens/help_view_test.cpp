#include "app/screens/help/faq_question_button.h"
#include "app/screens/help/faq_row.h"
#include "app/screens/help/help_view.h"
#include "screen_fixture.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class HelpViewTest : public ScreenTest {
protected:
    QString folder() const { return scratch.filePath(QStringLiteral("data/Zingboard/Sounds")); }
};

TEST_F(HelpViewTest, OneEntryOpenAtATime) {
    HelpView view(state(), shell, folder());
    view.resize(360, 600);
    view.show();
    const auto openIds = [&] {
        QStringList open;
        for (FaqRow* row : view.rows()) {
            if (row->questionButton()->isOpen())
                open.append(row->id());
        }
        return open;
    };
    QTest::mouseClick(view.rows()[0]->questionButton(), Qt::LeftButton);
    EXPECT_EQ(openIds(), QStringList{QStringLiteral("how-it-works")});
    QTest::mouseClick(view.rows()[1]->questionButton(), Qt::LeftButton);
    EXPECT_EQ(openIds(), QStringList{QStringLiteral("goals-vs-triggers")});
    EXPECT_EQ(view.model().expandedId(), QStringLiteral("goals-vs-triggers"));
    // Space on the focused question presses it: the open entry closes itself.
    view.rows()[1]->questionButton()->setFocus();
    QTest::keyClick(view.rows()[1]->questionButton(), Qt::Key_Space);
    EXPECT_EQ(openIds(), QStringList());
    EXPECT_EQ(view.model().expandedId(), std::nullopt);
}

TEST_F(HelpViewTest, FolderButtonsCreateOpenAndCopyTheRealFolder) {
    HelpView view(state(), shell, folder());
    view.show();
    ASSERT_FALSE(QDir(folder()).exists());
    QTest::mouseClick(view.openFolderButton(), Qt::LeftButton);
    EXPECT_TRUE(QDir(folder()).exists());
    QTest::mouseClick(view.copyPathButton(), Qt::LeftButton);
    EXPECT_EQ(shell.calls, (QStringList{QStringLiteral("openFolder ") + folder(),
                                        QStringLiteral("copyToClipboard ") + folder()}));
}

TEST_F(HelpViewTest, WithoutADataFolderTheButtonsAreOff) {
    HelpView view(state(), shell, QString());
    EXPECT_FALSE(view.openFolderButton()->isEnabled());
    EXPECT_FALSE(view.copyPathButton()->isEnabled());
}

} // namespace
