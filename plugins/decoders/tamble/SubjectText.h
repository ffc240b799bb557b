#pragma once
// Turns the bytes of a subtitle file into the UTF-16 text the templates are matched against.
#include <string>
#include <string_view>

// A byte-order mark (UTF-8, UTF-16 either way, UTF-32) decides and is dropped; UTF-16 without a
// mark is recognised by its zero bytes; valid UTF-8 is taken as UTF-8; anything else goes by the
// detected code page, and Windows-1252 when detection gives nothing usable.
std::u16string SubjectText(std::string_view bytes);
