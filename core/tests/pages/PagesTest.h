#pragma once
// A started player on manual clocks, driven through its orders, with a look at the page model under
// the subtitle lock: which events (by id) the current page shows.
#include "core/src/TCorePlayer.h"
#include "core/tests/ManualClocks.h"
#include "core/tests/pages/PageBlockBuilder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <mutex>
#include <vector>

class PagesTest : public testing::Test {
protected:
    void SetUp() override { player_.PlayStart(); }

    int Send(std::uint32_t order, void* record) { return player_.SendOrder(order, record, nullptr); }

    int SendPages(std::uint32_t key, const std::vector<TTestEvent>& events) {
        std::vector<std::byte> order = PageBlockBuilder::Order(key, events);
        return Send(kOrderSubtitlePages, order.data());
    }

    template <class Record> int SendValue(std::uint32_t order, Record record) {
        record.head = {0, sizeof(Record)};
        return Send(order, &record);
    }

    int SelectTitle(std::int32_t title) {
        return SendValue(kOrderProfileTitle, TOrderProfileTitle{{}, title});
    }

    // The clock's report of `time`; true when the page picture changed.
    bool ReportTime(std::int32_t time) { return player_.ClockReport(time); }

    // Ids of the events the current page shows, in drawing (layer) order; empty without a page.
    std::vector<std::uint32_t> Shown() {
        const std::lock_guard lock(player_.SubtitleLock());
        std::vector<std::uint32_t> ids;
        const TTitleBlock* page = player_.SubDisplay().CurrentBlock();
        if (page == nullptr || page->ShownSlot() == nullptr) {
            return ids;
        }
        for (const TSubEvents* event : page->ShownSlot()->Events()) {
            ids.push_back(event->GetRecord()->clientReference);
        }
        return ids;
    }

    std::vector<std::uint32_t> ShownAt(std::int32_t time) {
        ReportTime(time);
        return Shown();
    }

    std::shared_ptr<ManualClocks> clocks_ = std::make_shared<ManualClocks>();
    TCorePlayer player_{nullptr, clocks_};
};
