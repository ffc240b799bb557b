#pragma once
// UTF-16 text in the fixed fields of the records: at most units - 1 characters and a terminator.
#include <cstddef>
#include <string_view>

// The field's text up to its terminator, never past the field.
std::u16string_view FixedTextView(const char16_t* field, std::size_t units);
// Stores the text cut to units - 1 characters and zero-fills the rest of the field.
void SetFixedText(char16_t* field, std::size_t units, std::u16string_view text);
