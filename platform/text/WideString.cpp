#include "platform/text/WideString.h"

#include <algorithm>

namespace plat::text {

std::size_t WLen(const char16_t* s) {
    if (s == nullptr) {
        return 0;
    }
    std::size_t n = 0;
    while (s[n] != 0) {
        ++n;
    }
    return n;
}

std::size_t WLenBounded(const char16_t* field, std::size_t maxUnits) {
    if (field == nullptr) {
        return 0;
    }
    std::size_t n = 0;
    while (n < maxUnits && field[n] != 0) {
        ++n;
    }
    return n;
}

char16_t* WDup(const char16_t* s) {
    if (s == nullptr) {
        return nullptr;
    }
    return WDup(WStringView(s, WLen(s)));
}

char16_t* WDup(WStringView s) {
    auto* copy = new char16_t[s.size() + 1];
    std::copy(s.begin(), s.end(), copy);
    copy[s.size()] = 0;
    return copy;
}

} // namespace plat::text
