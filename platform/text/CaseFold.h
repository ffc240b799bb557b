#pragma once
// Comparison of text without regard to case (simple Unicode case folding), for UTF-16 and for
// 8-bit (UTF-8) text.
#include "platform/text/WideString.h"

#include <string>
#include <string_view>

namespace plat::text {

WString FoldCase(WStringView text);
std::string FoldCaseA(std::string_view text);

// <0, 0, >0 like strcmp, comparing folded code points.
int CompareNoCase(WStringView a, WStringView b);
int CompareNoCaseA(std::string_view a, std::string_view b);

bool EqualsNoCase(WStringView a, WStringView b);
bool EqualsNoCaseA(std::string_view a, std::string_view b);
bool StartsWithNoCase(WStringView text, WStringView prefix);
bool StartsWithNoCaseA(std::string_view text, std::string_view prefix);

} // namespace plat::text
