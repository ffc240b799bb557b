#include "plugins/decoders/support/ScrExports.h"

#include <cstdlib>
#include <cstring>

namespace scr {

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsNoCase(std::string_view name, std::string_view start) {
    if (start.size() > name.size()) {
        return false;
    }
    for (std::size_t i = 0; i < start.size(); ++i) {
        if (AsciiUpper(start[i]) != AsciiUpper(name[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

char* HandOut(std::string_view bytes) {
    auto* buffer = static_cast<char*>(std::malloc(bytes.size() + 1));
    if (buffer != nullptr) {
        std::memcpy(buffer, bytes.data(), bytes.size());
        buffer[bytes.size()] = 0;
    }
    return buffer;
}

int32_t FreeHandedOut(void** text, char** advanced) {
    if (text != nullptr) {
        std::free(*text);
        *text = nullptr;
    }
    if (advanced != nullptr) {
        std::free(*advanced);
        *advanced = nullptr;
    }
    return 1;
}

bool MatchesNameStart(const char* type, int32_t length, std::initializer_list<std::string_view> names) {
    if (type == nullptr || length <= 0) {
        return false;
    }
    const std::string_view start(type, static_cast<std::size_t>(length));
    for (const std::string_view name : names) {
        if (StartsNoCase(name, start)) {
            return true;
        }
    }
    return false;
}

} // namespace scr
