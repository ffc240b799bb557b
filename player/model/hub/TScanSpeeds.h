#pragma once
// The scan-speed table of the hub and the signed index into it: positive indexes scan forward,
// negative ones backward at the same rates.
#include <cstdint>
#include <optional>
#include <vector>

class TScanSpeeds {
public:
    // A new table of `count` rates, all 0 (none for a count below 1).
    void SetCount(int32_t count);
    // Stores a rate when the index lies inside the table.
    void Set(int32_t index, double rate);

    int32_t Count() const { return static_cast<int32_t>(rates_.size()); }
    int32_t Index() const { return index_; }
    void ResetIndex() { index_ = 0; }

    // Moves the index by the step; it returns to 0 when its magnitude reaches the table size. Answers
    // the rate at the magnitude of the new index, negated when the index is negative; nothing without
    // a table.
    std::optional<double> Step(int32_t step);

private:
    std::vector<double> rates_;
    int32_t index_ = 0;
};
