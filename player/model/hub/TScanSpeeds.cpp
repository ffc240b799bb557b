#include "player/model/hub/TScanSpeeds.h"

#include <cstdlib>

void TScanSpeeds::SetCount(int32_t count) {
    rates_.assign(count > 0 ? static_cast<size_t>(count) : 0, 0.0);
}

void TScanSpeeds::Set(int32_t index, double rate) {
    if (index >= 0 && index < Count()) {
        rates_[static_cast<size_t>(index)] = rate;
    }
}

std::optional<double> TScanSpeeds::Step(int32_t step) {
    if (rates_.empty()) {
        return std::nullopt;
    }
    const int64_t next = int64_t{index_} + step;
    index_ = std::llabs(next) >= Count() ? 0 : static_cast<int32_t>(next);
    const double rate = rates_[static_cast<size_t>(std::abs(index_))];
    return index_ < 0 ? -rate : rate;
}
