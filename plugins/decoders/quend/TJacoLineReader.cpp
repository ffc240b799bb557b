#include "plugins/decoders/quend/TJacoLineReader.h"

namespace {

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

bool TJacoLineReader::Next(std::string_view& line) {
    while (FPosition < FData.size() && IsLineEnd(FData[FPosition])) {
        ++FPosition;
    }
    if (FPosition >= FData.size()) {
        return false;
    }
    const std::size_t start = FPosition;
    while (FPosition < FData.size() && FPosition - start < kMaxLineChars && !IsLineEnd(FData[FPosition])) {
        ++FPosition;
    }
    line = FData.substr(start, FPosition - start);
    return true;
}
