// The clock thread reports a new time at every step (each counter read moves the clocks 10 ms) and
// reads the current page under the subtitle lock while this thread replaces, selects and clears pages,
// changes styles, the display, the offset and the subtitle switch; the shown slot must always belong
// to the current page.
#include "core/tests/pages/PagesTest.h"

namespace {

class TPagesThreadTest : public PagesTest {
protected:
    void ExpectShownSlotOfCurrentPage() {
        const std::lock_guard lock(player_.SubtitleLock());
        const TTitleBlock* page = player_.SubDisplay().CurrentBlock();
        if (page == nullptr || page->ShownSlot() == nullptr) {
            return;
        }
        bool found = false;
        for (const TChronoEvents* slot = page->Slots().Head; slot != nullptr; slot = slot->Next) {
            found = found || slot == page->ShownSlot();
        }
        EXPECT_TRUE(found);
    }
};

TEST_F(TPagesThreadTest, TheClockReadsThePagesWhileOrdersChangeThem) {
    clocks_->AdvanceAtEachRead(10);
    player_.UpdatePlayState(kPlayStatePlaying, false);
    TOrderStyles style{{0, sizeof(style)}, 4, {}};
    // Rounds go on until the clock thread has reported for a second of clock time (about 100 steps).
    std::int32_t round = 0;
    for (; round < 300 || player_.LastClockTime() < 1000; ++round) {
        ASSERT_LT(round, 10'000'000) << "the clock thread does not report";
        const std::int32_t base = round * 10;
        ASSERT_EQ(SendPages(1 + round % 2, {{1, base, base + 20}, {2, base + 10, base + 40}, {3, 0, 100000}}),
                  0);
        SelectTitle(1 + round % 3);
        style.style[0] = static_cast<std::uint8_t>('A' + round % 5);
        ASSERT_EQ(Send(kOrderStyles, &style), 0);
        TOrderStyles step{{0, sizeof(step)}, static_cast<std::uint32_t>(1 + round % 3), {}};
        ASSERT_EQ(Send(kOrderStyles, &step), 0);
        ASSERT_EQ(SendValue(kOrderSubtitleOffset, TOrderSubtitleOffset{{}, round % 7 - 3}), 0);
        ASSERT_EQ(
            SendValue(kOrderSubtitlesOn, TOrderSubtitlesOn{{}, static_cast<std::uint8_t>(round % 2), {}}), 0);
        ExpectShownSlotOfCurrentPage();
        if (round % 50 == 49) {
            ASSERT_EQ(Send(kOrderClearSubtitles, nullptr), 0);
        }
    }
    player_.Close();
}

} // namespace
