#pragma once
// Whether an 8-bit text can stand as an XML element name in a language file: a letter, '_' or a
// non-ASCII byte first, then those, digits, '-' and '.'. Templates write only such names, so that
// what they write stays well-formed and can be read back.
#include <string_view>

bool IsXmlName(std::string_view name);
