#pragma once
// The lines of a JACOsub file: ended by CR or LF, runs of line ends passed over (no empty lines), a
// line longer than kMaxLineChars cut there with the rest read as the next line.
#include <cstddef>
#include <string_view>

class TJacoLineReader {
public:
    static constexpr std::size_t kMaxLineChars = 2500;

    explicit TJacoLineReader(std::string_view data) : FData(data) {}

    // The next line into `line`; false at the end of the data.
    bool Next(std::string_view& line);

private:
    std::string_view FData;
    std::size_t FPosition = 0;
};
