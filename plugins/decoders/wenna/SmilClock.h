#pragma once
// SMIL clock values in milliseconds: full and partial clocks ("1:02:03.5", "02:03.25") and time counts
// with an optional metric ("3.2h", "45min", "30s", "5ms", "12.467" in seconds). Letters may be in
// either case. Nothing for "indefinite", sync-base and event values, signs and anything malformed.
#include <cstdint>
#include <optional>
#include <string_view>

std::optional<int64_t> ParseSmilClock(std::string_view text);
