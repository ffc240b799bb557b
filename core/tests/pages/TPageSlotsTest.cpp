// Which events a page shows over time: slot boundaries (an event is shown from its start up to, not
// including, its end), layer order, comments and empty events, the subtitle offset, and when the
// clock's report changes the picture.
#include "core/tests/pages/PagesTest.h"

namespace {

using Ids = std::vector<std::uint32_t>;

class TPageSlotsTest : public PagesTest {
protected:
    // Loads the events as page 1 and makes it current, as a media file with profile title 1.
    void Load(const std::vector<TTestEvent>& events) {
        ASSERT_EQ(SendPages(1, events), 0);
        ASSERT_EQ(SelectTitle(1), 0);
    }

    std::vector<std::int32_t> SlotStarts() {
        const std::lock_guard lock(player_.SubtitleLock());
        std::vector<std::int32_t> starts;
        for (const TChronoEvents* slot = player_.SubDisplay().CurrentBlock()->Slots().Head; slot != nullptr;
             slot = slot->Next) {
            starts.push_back(slot->StartTime());
        }
        return starts;
    }
};

TEST_F(TPageSlotsTest, AnEventEndingWhenTheNextStartsIsNotShownWithIt) {
    Load({{1, 0, 1000}, {2, 1000, 2000}});
    EXPECT_EQ(SlotStarts(), (std::vector<std::int32_t>{0, 1000, 2000}));
    struct Case {
        std::int32_t time;
        Ids shown;
    };
    for (const Case& c : {Case{0, {1}}, Case{999, {1}}, Case{1000, {2}}, Case{1990, {2}}, Case{2000, {}},
                          Case{500000, {}}, Case{990, {1}}}) {
        EXPECT_EQ(ShownAt(c.time), c.shown) << c.time;
    }
}

TEST_F(TPageSlotsTest, OverlappingEventsAreShownByLayerAtEveryBoundary) {
    Load({{1, 0, 3000, 2}, {2, 500, 1500, 0}, {3, 1000, 2000, 1}, {4, 1000, 1500, 0}, {5, 2500, 2600, 0}});
    EXPECT_EQ(SlotStarts(), (std::vector<std::int32_t>{0, 500, 1000, 1500, 2000, 2500, 2600, 3000}));
    struct Case {
        std::int32_t time;
        Ids shown;
    };
    for (const Case& c : {Case{0, {1}}, Case{499, {1}}, Case{500, {2, 1}}, Case{1000, {2, 4, 3, 1}},
                          Case{1499, {2, 4, 3, 1}}, Case{1500, {3, 1}}, Case{2000, {1}}, Case{2500, {5, 1}},
                          Case{2600, {1}}, Case{3000, {}}, Case{1200, {2, 4, 3, 1}}, Case{100, {1}}}) {
        EXPECT_EQ(ShownAt(c.time), c.shown) << c.time;
    }
}

TEST_F(TPageSlotsTest, CommentsEmptyAndNegativeEventsFollowTheirTimes) {
    TTestEvent comment{1, 0, 5000};
    comment.comment = true;
    TTestEvent noText{4, 200, 400};
    noText.text.clear();
    Load({comment, {2, 100, 100}, {3, -500, 300}, noText, {5, -900, -100}, {6, 300, 200}});
    EXPECT_EQ(SlotStarts(), (std::vector<std::int32_t>{0, 200, 300, 400}));
    struct Case {
        std::int32_t time;
        Ids shown;
    };
    for (const Case& c : {Case{0, {3}}, Case{100, {3}}, Case{200, {3, 4}}, Case{300, {4}}, Case{400, {}}}) {
        EXPECT_EQ(ShownAt(c.time), c.shown) << c.time;
    }
}

TEST_F(TPageSlotsTest, AnEmptyPageHasOneEmptySlot) {
    Load({});
    EXPECT_EQ(SlotStarts(), (std::vector<std::int32_t>{0}));
    EXPECT_TRUE(ShownAt(1000).empty());
}

TEST_F(TPageSlotsTest, TheReportChangesThePictureOnlyWhenTheSlotChanges) {
    Load({{1, 0, 1000}, {2, 1000, 2000}});
    struct Case {
        std::int32_t time;
        bool changes;
    };
    for (const Case& c : {Case{500, true}, Case{600, false}, Case{0, false}, Case{1000, true},
                          Case{1990, false}, Case{2000, true}, Case{90000, false}, Case{999, true}}) {
        EXPECT_EQ(ReportTime(c.time), c.changes) << c.time;
    }
}

TEST_F(TPageSlotsTest, TheOffsetMovesTheTimeTheSlotIsLookedUpFor) {
    Load({{1, 0, 1000}, {2, 1000, 2000}});
    struct Case {
        std::int32_t offset;
        std::int32_t clock;
        Ids shown;
    };
    for (const Case& c : {Case{-5000, 3000, {1}}, Case{-1500, 3000, {2}}, Case{500, 500, {2}},
                          Case{0, 1500, {2}}, Case{1000, 1000, {}}}) {
        ASSERT_EQ(SendValue(kOrderSubtitleOffset, TOrderSubtitleOffset{{}, c.offset}), 0);
        EXPECT_EQ(ShownAt(c.clock), c.shown) << c.offset << " " << c.clock;
        EXPECT_EQ(player_.LastClockTime(), c.clock);
    }
}

// The clock itself: playback runs, the manual clocks move and each step reports its rounded time.
TEST_F(TPageSlotsTest, TheClockShowsTheSlotsAsTimePasses) {
    Load({{1, 0, 1000}, {2, 1000, 2000}});
    player_.UpdatePlayState(kPlayStatePlaying, false);
    struct Case {
        std::int64_t advanceMs;
        Ids shown;
    };
    for (const Case& c : {Case{10, {1}}, Case{985, {1}}, Case{5, {2}}, Case{999, {2}}, Case{1, {}}}) {
        clocks_->Advance(c.advanceMs);
        player_.Clock()->Step(TSubTimer::kAdvance);
        EXPECT_EQ(Shown(), c.shown) << player_.LastClockTime();
    }
}

// An event that stays on screen keeps the place the layout gave it while others come and go. The page
// model alone, without a layout that places every slot beforehand: selecting a slot inherits.
TEST_F(TPageSlotsTest, AnEventKeepsItsPlacementIntoTheNextSlot) {
    {
        const std::lock_guard lock(player_.SubtitleLock());
        player_.SubDisplay().SetLayouter(nullptr);
    }
    Load({{1, 0, 2000}, {2, 0, 1000}, {3, 1000, 2000}});
    ReportTime(0);
    {
        const std::lock_guard lock(player_.SubtitleLock());
        std::vector<TEventPlacement>& placements =
            player_.SubDisplay().CurrentBlock()->ShownSlot()->Placements();
        ASSERT_EQ(placements.size(), 2u);
        placements[0] = {10, 20, 30, 40, true, 1};
        placements[1] = {50, 60, 70, 80, true, 0};
    }
    EXPECT_EQ(ShownAt(1000), (Ids{1, 3}));
    const std::lock_guard lock(player_.SubtitleLock());
    const std::vector<TEventPlacement>& placements =
        player_.SubDisplay().CurrentBlock()->ShownSlot()->Placements();
    EXPECT_TRUE(placements[0].placed);
    EXPECT_EQ(placements[0].x, 10);
    EXPECT_EQ(placements[0].moves, 1);
    EXPECT_FALSE(placements[1].placed);
}

} // namespace
