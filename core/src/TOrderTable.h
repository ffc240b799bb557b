#pragma once
// The dispatcher's table: for each order, the request record it expects, whether it runs under the
// subtitle lock and whether it needs an out pointer. Inside the core only; clients see the records.

#include "core/include/VokradOrders.h"

#include <algorithm>
#include <array>
#include <cstdint>

// What an order expects as its request record.
enum class TOrderRecordKind : std::uint8_t {
    None,     // never read
    Fixed,    // exactly `size` bytes
    Pages,    // the page record of 502: at least `size` bytes, its length word equal to its size
    BareName, // not a record: a terminated 8-bit file name
};

struct TOrderInfo {
    std::uint32_t order;
    TOrderRecordKind record;
    std::uint32_t size; // Fixed: the size; Pages: the smallest size; otherwise 0
    bool locked;        // runs under the subtitle lock
    bool needsOut;      // refused without an out pointer
};

namespace order_table {

inline constexpr bool kLocked = true;

constexpr TOrderInfo NoRecord(std::uint32_t order, bool locked = false) {
    return {order, TOrderRecordKind::None, 0, locked, false};
}

constexpr TOrderInfo OutBlock(std::uint32_t order) {
    return {order, TOrderRecordKind::None, 0, false, true};
}

template <class R> constexpr TOrderInfo Fixed(std::uint32_t order, bool locked = false) {
    return {order, TOrderRecordKind::Fixed, sizeof(R), locked, false};
}

} // namespace order_table

// Every order, ascending by number.
inline constexpr std::array kOrderTable{
    order_table::NoRecord(kOrderPlay),
    order_table::NoRecord(kOrderPauseToggle),
    order_table::NoRecord(kOrderStop),
    order_table::Fixed<TOrderRate>(kOrderRate),
    order_table::Fixed<TOrderFrameStep>(kOrderFrameStep),
    order_table::Fixed<TOrderPlayAtTime>(kOrderPlayAtTime),
    order_table::Fixed<TOrderPlayAtTimeInTitle>(kOrderPlayAtTimeInTitle),
    order_table::Fixed<TOrderRelativeSeek>(kOrderRelativeSeek),
    order_table::Fixed<TOrderDvdMenu>(kOrderDvdMenu),
    order_table::Fixed<TOrderDvdButton>(kOrderDvdButton),
    order_table::Fixed<TOrderTitleChapter>(kOrderTitleChapter),
    order_table::Fixed<TOrderVolume>(kOrderVolume),
    order_table::Fixed<TOrderCursor>(kOrderCursor),
    order_table::NoRecord(kOrderNextChapter),
    order_table::NoRecord(kOrderPreviousChapter),
    order_table::Fixed<TOrderStreams>(kOrderAudioStream),
    order_table::Fixed<TOrderStreams>(kOrderSubpictureStream),
    order_table::Fixed<TOrderStreams>(kOrderAngle),
    order_table::NoRecord(kOrderRefreshPosition),
    order_table::NoRecord(kOrderShowVideo),
    order_table::NoRecord(kOrderHideVideo),
    order_table::Fixed<TOrderGraphDescription>(kOrderGraphDescription),
    order_table::Fixed<TOrderSaveGraph>(kOrderSaveGraph),
    order_table::Fixed<TOrderParentWindows>(kOrderParentWindows),
    order_table::Fixed<TOrderColourKey>(kOrderColourKey, order_table::kLocked),
    order_table::Fixed<TOrderGraphVariable>(kOrderGraphVariable),
    order_table::Fixed<TOrderDisplayMode>(kOrderDisplayMode),
    order_table::Fixed<TOrderFilterProperties>(kOrderFilterProperties),
    TOrderInfo{kOrderLogFile, TOrderRecordKind::BareName, 0, false, false},
    order_table::Fixed<TOrderCaptureRing>(kOrderCaptureRing),
    order_table::Fixed<TOrderVideoLayout>(kOrderVideoLayout),
    order_table::Fixed<TOrderDvdState>(kOrderSaveDvdState),
    order_table::Fixed<TOrderDvdState>(kOrderRestoreDvdState),
    order_table::Fixed<TOrderDvdState>(kOrderDeleteDvdState),
    order_table::OutBlock(kOrderCurrentPicture),
    order_table::Fixed<TOrderDiscInformation>(kOrderDiscInformation),
    order_table::Fixed<TOrderPlayState>(kOrderPlayState),
    order_table::OutBlock(kOrderMediaName),
    order_table::OutBlock(kOrderTitlesChapters),
    order_table::OutBlock(kOrderFilterList),
    order_table::OutBlock(kOrderMediaContent),
    order_table::OutBlock(kOrderGraphLog),
    order_table::NoRecord(kOrderClockTime),
    order_table::Fixed<TOrderVideoRectangle>(kOrderVideoRectangle),
    order_table::Fixed<TOrderCapturedFrame>(kOrderCapturedFrame),
    order_table::NoRecord(kOrderClearSubtitles, order_table::kLocked),
    order_table::Fixed<TOrderSubtitlesOn>(kOrderSubtitlesOn),
    TOrderInfo{kOrderSubtitlePages, TOrderRecordKind::Pages, sizeof(TOrderSubtitlePages), true, false},
    order_table::Fixed<TOrderStyles>(kOrderStyles, order_table::kLocked),
    order_table::Fixed<TOrderProfileFlag>(kOrderProfileFlag),
    order_table::Fixed<TOrderProfileTitle>(kOrderProfileTitle),
    order_table::Fixed<TOrderSubtitleOffset>(kOrderSubtitleOffset, order_table::kLocked),
    order_table::Fixed<TOrderStyleOverride>(kOrderStyleOverride, order_table::kLocked),
    order_table::NoRecord(kOrderFreezeMessages, order_table::kLocked),
    order_table::NoRecord(kOrderUnfreezeMessages, order_table::kLocked),
    order_table::Fixed<TOrderOsdItem>(kOrderOsdItem, order_table::kLocked),
    order_table::NoRecord(kOrderClearOsdItems, order_table::kLocked),
    order_table::Fixed<TOrderOsdStyle>(kOrderOsdStyle, order_table::kLocked),
    order_table::Fixed<TOrderOsdVariable>(kOrderOsdVariable, order_table::kLocked),
    order_table::NoRecord(kOrderClearOsdVariables, order_table::kLocked),
    order_table::NoRecord(kOrderPing),
};

static_assert(std::is_sorted(kOrderTable.begin(), kOrderTable.end(),
                             [](const TOrderInfo& a, const TOrderInfo& b) { return a.order < b.order; }) &&
                  std::adjacent_find(kOrderTable.begin(), kOrderTable.end(),
                                     [](const TOrderInfo& a, const TOrderInfo& b) {
                                         return a.order == b.order;
                                     }) == kOrderTable.end(),
              "kOrderTable is ascending without duplicates");

// The table row of an order, nullptr for a number outside the table.
constexpr const TOrderInfo* FindOrder(std::uint32_t order) {
    const auto it = std::lower_bound(kOrderTable.begin(), kOrderTable.end(), order,
                                     [](const TOrderInfo& row, std::uint32_t n) { return row.order < n; });
    return it != kOrderTable.end() && it->order == order ? &*it : nullptr;
}
