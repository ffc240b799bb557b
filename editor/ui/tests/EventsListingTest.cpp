// The events grid on a loaded profile: the rows of a select, their shading on a grab of the grid,
// in-place time and text edits (times typed as video times in select mode), Esc dropping an edit,
// and deleting every row leaving a valid empty grid.
#include "editor/TShared.h"
#include "editor/tests/EditorTestSupport.h"
#include "editor/ui/TEventsGridDelegate.h"
#include "editor/ui/TEventEditor.h"
#include "editor/ui/TEventsGridModel.h"
#include "editor/ui/TEventsListing.h"
#include "platform/text/CodePage.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TSelect.h"
#include "subtitles/scripts/TScriptControl.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class EventsListingTest : public ::testing::Test {
protected:
    EventsListingTest() : listing_(shared_) {
        EXPECT_TRUE(WriteEditorFixture(folder_ / "p.zds", {{1000, "one"}, {2000, "two"}, {3000, "three"}}));
        EXPECT_TRUE(profile_.Load(plat::text::AnsiToWide(folder_ / "p.zds"), true, true));
        shared_.SetDocument(&profile_);
        shared_.SetViews({&main_, &listing_, nullptr, nullptr});
        listing_.SetDialogs(&dialogs_);
        listing_.resize(800, 300);
        listing_.show();
        shared_.RefreshProfileViews(nullptr);
    }
    TSelect* Select() { return shared_.CurrentSelect(); }
    QString Cell(int row, int column) { return listing_.Model().index(row, column).data().toString(); }
    void EditCell(int row, int column, const QString& text) {
        listing_.Grid()->setCurrentIndex(listing_.Model().index(row, column));
        listing_.Grid()->selectRow(row);
        listing_.Grid()->setCurrentIndex(listing_.Model().index(row, column));
        QTest::keyClick(listing_.Grid(), Qt::Key_Space);
        auto* editor =
            listing_.findChild<QLineEdit*>(column == TEventsGridModel::kText ? "Ed_Text" : "Ed_Time");
        ASSERT_TRUE(editor->isVisible());
        editor->selectAll();
        QTest::keyClicks(editor, text);
        // Return goes to the in-place editor, never to the grid's Enter shortcut.
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_FALSE(listing_.Editor().isVisible());
    }

    TestFolder folder_;
    TDVDProfile profile_;
    TShared shared_;
    RecordingMainView main_;
    ScriptedDialogs dialogs_;
    TEventsListing listing_;
};

} // namespace

TEST_F(EventsListingTest, ASelectsEventsAreListedAndShaded) {
    ASSERT_EQ(listing_.Model().rowCount(), 3);
    EXPECT_EQ(Cell(0, TEventsGridModel::kText), "one");
    EXPECT_EQ(Cell(2, TEventsGridModel::kStart), "0:00:03.00");
    EXPECT_EQ(Cell(1, TEventsGridModel::kNumber), "2");
    EXPECT_EQ(main_.Caption.find(u"Pellit - Title 1 - ("), 0u);
    const int numberWidth = listing_.Grid()->columnWidth(0);
    EXPECT_EQ(numberWidth, listing_.Grid()->fontMetrics().horizontalAdvance("QQ") + 2);

    // The select's window covers the first two events only: the third row is out of range.
    Select()->FirstSub = 1000;
    Select()->LastSub = 2000;
    listing_.Grid()->clearSelection();
    listing_.RepaintGrid();
    const QImage grab = listing_.Grid()->viewport()->grab().toImage();
    const auto pixel = [&](int row) {
        const QRect cell = listing_.Grid()->visualRect(listing_.Model().index(row, TEventsGridModel::kStyle));
        return QColor(grab.pixel(cell.right() - 3, cell.center().y()));
    };
    EXPECT_EQ(pixel(0), TEventsGridDelegate::Background(true, 0));
    EXPECT_EQ(pixel(1), TEventsGridDelegate::Background(true, 1));
    EXPECT_EQ(pixel(2), TEventsGridDelegate::Background(false, 2));
}

TEST_F(EventsListingTest, InPlaceEditsStoreSelectTimesAndTexts) {
    Select()->DVDStart = 10000; // the select's events play 10 s later than the script says
    EditCell(1, TEventsGridModel::kStart, "0:00:12.50");
    ASSERT_TRUE(main_.Modified);
    auto* event = static_cast<TTextEvent*>(listing_.Model().EventAt(1));
    EXPECT_EQ(event->GetRecord()->start, 2500);
    EXPECT_EQ(Select()->Script->Modified, 1);

    EditCell(0, TEventsGridModel::kText, "changed");
    EXPECT_EQ(static_cast<TTextEvent*>(listing_.Model().EventAt(0))->GetText(), u"changed");

    main_.Modified = false;
    listing_.Grid()->selectRow(2);
    QTest::keyClick(listing_.Grid(), Qt::Key_Space);
    auto* text = listing_.findChild<QLineEdit*>("Ed_Text");
    QTest::keyClicks(text, "dropped");
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_FALSE(text->isVisible());
    EXPECT_FALSE(main_.Modified);
    EXPECT_EQ(static_cast<TTextEvent*>(listing_.Model().EventAt(2))->GetText(), u"three");
}

TEST_F(EventsListingTest, DeletingEveryRowLeavesAValidEmptyGrid) {
    dialogs_.Answer = IEditorDialogs::kNo;
    listing_.Grid()->selectAll();
    listing_.DeleteSelectedEvents(true);
    EXPECT_EQ(listing_.Model().rowCount(), 3);

    dialogs_.Answer = IEditorDialogs::kYes;
    listing_.Grid()->selectAll();
    listing_.DeleteSelectedEvents(true);
    EXPECT_EQ(listing_.Model().rowCount(), 0);
    EXPECT_EQ(listing_.CurrentRow(), -1);
    EXPECT_TRUE(main_.Modified);
    EXPECT_FALSE(listing_.UpdateEditors(false, true));
    listing_.EditSelection();
    QTest::keyClick(listing_.Grid(), Qt::Key_Space);
    listing_.Grid()->viewport()->grab();
    EXPECT_EQ(Select()->Script->Events.Count, 0);
}
