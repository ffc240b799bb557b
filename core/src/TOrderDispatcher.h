#pragma once
// Runs the orders of one player: the steps every order shares (closing player, out pointer, order
// number, record check, subtitle lock), then the order's operation of the player with the values its
// record holds. The record sizes and locks come from kOrderTable.
#include "core/src/TOrderTable.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class TCorePlayer;

class TOrderDispatcher {
public:
    explicit TOrderDispatcher(TCorePlayer& player);

    // 0 success, -1 refusal or failure; orders 120 and 307 answer their values. Nothing is touched
    // while the player closes; otherwise *out is cleared first.
    int Dispatch(std::uint32_t order, void* record, void** out) const;

    // Whether a request record suits the order's row: its size word, and for the page record its
    // page head and its length word.
    static bool RecordFits(const TOrderInfo& info, const void* record);

    // The text of a fixed field of `units` UTF-16 units; nothing when the field holds no terminator.
    static std::optional<std::u16string> FixedText(const void* field, std::size_t units);

private:
    TCorePlayer& player_;
};
