#pragma once
// The values an expression list produced, in order. Lists seldom hold more than two values, so those
// are kept in place and only further ones take memory of their own.
#include "player/scripting/TScriptValue.h"

#include <array>
#include <cstddef>
#include <vector>

class TScriptValues {
public:
    void Add(const TScriptValue& value) {
        if (size_ < kInPlace) {
            inPlace_[size_] = value;
        } else {
            more_.push_back(value);
        }
        ++size_;
    }
    void Clear() {
        size_ = 0;
        more_.clear();
    }
    bool Empty() const { return size_ == 0; }
    size_t Size() const { return size_; }
    TScriptValue& operator[](size_t index) {
        return index < kInPlace ? inPlace_[index] : more_[index - kInPlace];
    }
    const TScriptValue& operator[](size_t index) const {
        return index < kInPlace ? inPlace_[index] : more_[index - kInPlace];
    }
    TScriptValue& Back() { return (*this)[size_ - 1]; }

private:
    static constexpr size_t kInPlace = 2;

    std::array<TScriptValue, kInPlace> inPlace_;
    std::vector<TScriptValue> more_;
    size_t size_ = 0;
};
