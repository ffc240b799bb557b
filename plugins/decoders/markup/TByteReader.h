#pragma once
// Walks the bytes of a markup file one at a time.
#include <cstddef>
#include <string_view>

class TByteReader {
public:
    explicit TByteReader(std::string_view data) : FData(data) {}

    // The next byte into `c`; false at the end of the data.
    bool Next(char& c) {
        if (FPosition >= FData.size()) {
            return false;
        }
        c = FData[FPosition++];
        return true;
    }
    // The next byte without moving on; false at the end of the data.
    bool Peek(char& c) const {
        if (FPosition >= FData.size()) {
            return false;
        }
        c = FData[FPosition];
        return true;
    }
    bool AtEnd() const { return FPosition >= FData.size(); }

private:
    std::string_view FData;
    std::size_t FPosition = 0;
};
