#pragma once
// Debug traces. They go to standard error when TOVRIN_DEBUG_OUTPUT is set, and nowhere otherwise.
#include <string_view>

namespace plat::win {

void OutputDebugString(std::string_view text);
void OutputDebugString(std::u16string_view text);

} // namespace plat::win
