#pragma once
// UTF-16 text as the system keeps it inside the programs and the core.
#include <cstddef>
#include <string>
#include <string_view>

namespace plat::text {

using WString = std::u16string;
using WStringView = std::u16string_view;

// Length of a zero-terminated UTF-16 string; 0 for a null pointer.
std::size_t WLen(const char16_t* s);

// Length of a zero-terminated UTF-16 string stored in a fixed field of maxUnits code units: the
// field need not hold a terminator, the length never exceeds maxUnits.
std::size_t WLenBounded(const char16_t* field, std::size_t maxUnits);

// Heap copy of a UTF-16 C string (new[]), terminated; nullptr for nullptr.
char16_t* WDup(const char16_t* s);
char16_t* WDup(WStringView s);

} // namespace plat::text
