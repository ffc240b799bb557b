#pragma once
// English names of languages by Windows language identifier (LCID), as the DVD stream records carry
// them. Only the primary language (the low 10 bits) is read.
#include <cstdint>
#include <string>

// Empty for an identifier without a known language (0 included).
std::u16string EnglishLanguageName(uint32_t lcid);
