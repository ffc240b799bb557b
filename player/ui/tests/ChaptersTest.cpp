// The chapters window over a title list whose orders reach a recording core: the tree follows the
// list (also when it changes) and the chapter playing, a double-clicked chapter or one Enter is pressed
// on is played, a title is not, and the window's labels behave as links.
#include "player/model/tests/controllers/ControllerTestSupport.h"
#include "player/model/titles/TMyTitles.h"
#include "player/ui/TChapters.h"

#include <QLabel>
#include <QTest>

namespace {

class ChaptersTest : public TControllerTest {
protected:
    ChaptersTest() {
        titles_.SetTitleCount(2);
        titles_.SetChapterCount(1, 3);
        chapters_.show();
        chapters_.SetTitles(&titles_);
    }

    // The tree as "title: chapter, chapter" lines.
    std::vector<std::string> TreeLines() const {
        std::vector<std::string> lines;
        QTreeWidget* tree = chapters_.Tree();
        for (int t = 0; t < tree->topLevelItemCount(); ++t) {
            QTreeWidgetItem* title = tree->topLevelItem(t);
            std::string line = title->text(0).toStdString() + ":";
            for (int c = 0; c < title->childCount(); ++c) {
                line += " " + title->child(c)->text(0).toStdString();
            }
            lines.push_back(line);
        }
        return lines;
    }

    void DoubleClick(QTreeWidgetItem* item) {
        QTreeWidget* tree = chapters_.Tree();
        tree->doItemsLayout();
        const QPoint at = tree->visualItemRect(item).center();
        // A double click is a click followed by the second press, as a user's is.
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
    }

    TMyTitles titles_{hub_};
    TChapters chapters_;
};

TEST_F(ChaptersTest, TheFormHasItsNamedPartsAndSize) {
    EXPECT_EQ(chapters_.size(), QSize(235, 442));
    EXPECT_EQ(chapters_.findChild<QLabel*>("Lb_Caption")->text(), "Chapters");
    EXPECT_NE(chapters_.findChild<QWidget*>("Pn_Caption"), nullptr);
    EXPECT_FALSE(chapters_.findChild<QLabel*>("Lb_AddBookMark")->isVisible());
    EXPECT_EQ(chapters_.findChild<QLabel*>("Lb_Close")->text(), " x ");
    EXPECT_EQ(chapters_.findChild<QTreeWidget*>("Tr_ChaptersView"), chapters_.Tree());
    EXPECT_TRUE(chapters_.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(ChaptersTest, TheTreeFollowsTheTitleList) {
    EXPECT_EQ(TreeLines(), (std::vector<std::string>{"Title 1: Chapter 1 Chapter 2 Chapter 3", "Title 2:"}));
    EXPECT_TRUE(chapters_.Tree()->topLevelItem(0)->isExpanded());

    titles_.SetChapterCount(2, 1);
    titles_.NotifyChanged();
    EXPECT_EQ(TreeLines(),
              (std::vector<std::string>{"Title 1: Chapter 1 Chapter 2 Chapter 3", "Title 2: Chapter 1"}));

    chapters_.SetTitles(nullptr);
    EXPECT_TRUE(TreeLines().empty());
    titles_.NotifyChanged(); // no longer heard
    EXPECT_TRUE(TreeLines().empty());
}

TEST_F(ChaptersTest, DoubleClickingAChapterPlaysItATitleDoesNothing) {
    core_->TakeOrders();
    DoubleClick(chapters_.Tree()->topLevelItem(0)->child(1));
    const auto orders = core_->TakeOrders();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].order, 110u);
    ASSERT_EQ(orders[0].record.size(), 16u);
    const auto word = [&](int i) {
        int32_t value = 0;
        std::memcpy(&value, orders[0].record.data() + 4 * i, 4);
        return value;
    };
    EXPECT_EQ(word(2), 1); // title
    EXPECT_EQ(word(3), 2); // chapter
    EXPECT_EQ(titles_.GetTitle(0).Chapters.Current(), 1);

    DoubleClick(chapters_.Tree()->topLevelItem(1));
    EXPECT_TRUE(core_->TakeOrders().empty());
}

TEST_F(ChaptersTest, TheChapterPlayingIsTheCurrentItemAndEnterPlaysTheCurrentOne) {
    core_->TakeOrders();
    QTreeWidgetItem* title = chapters_.Tree()->topLevelItem(0);
    chapters_.OnTitleChapterChanged(1, 1);
    chapters_.OnTitleChapterChanged(2, 3);
    EXPECT_EQ(chapters_.Tree()->currentItem(), title->child(2));
    chapters_.OnTitleChapterChanged(2, 2);
    EXPECT_EQ(chapters_.Tree()->currentItem(), title->child(1));
    titles_.NotifyChanged();
    title = chapters_.Tree()->topLevelItem(0);
    EXPECT_EQ(chapters_.Tree()->currentItem(), title->child(1)) << "kept when the tree is filled again";
    EXPECT_TRUE(core_->TakeOrders().empty()) << "following the player plays nothing";

    chapters_.Tree()->setCurrentItem(title->child(0));
    QTest::keyClick(chapters_.Tree(), Qt::Key_Return);
    const auto orders = core_->TakeOrders();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].order, 110u);
    int32_t chapter = 0;
    std::memcpy(&chapter, orders[0].record.data() + 12, 4);
    EXPECT_EQ(chapter, 1);
}

TEST_F(ChaptersTest, TheCloseLabelIsALinkThatClosesTheWindow) {
    auto* close = chapters_.CloseLabel();
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(close, &enter);
    EXPECT_EQ(close->palette().color(QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_TRUE(close->font().underline());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(close, &leave);
    EXPECT_EQ(close->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_FALSE(close->font().underline());

    const QPoint place = chapters_.pos();
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(chapters_.isVisible());
    EXPECT_EQ(chapters_.pos(), place) << "a click on the label is no drag";
}

} // namespace
