#pragma once
// Character entities of markup text ("&eacute;", "&#233;", "&#xE9;").
#include "plugins/decoders/markup/TByteReader.h"
#include "plugins/decoders/markup/TSubtitleText.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace markup {

// How many bytes after "&" an entity may take, its ";" included.
inline constexpr std::size_t kMaxEntityBytes = 10;

// The code point of a named entity of the table, or of a numeric one; `entity` is the text between
// "&" and ";". &nbsp; stands for a plain space, so that a paragraph holding only it stays blank.
std::optional<char32_t> EntityCodePoint(std::string_view entity);

// The number of names in the entity table.
std::size_t EntityTableSize();

// Called after "&": reads the entity (letters, digits and "#", up to kMaxEntityBytes bytes with its
// ";") and appends its character to the text, in UTF-8 when the text is UTF-8, else as one byte for a
// code point below 256. Anything else is appended as read, "&" included; a byte that cannot belong to
// an entity (such as the "<" of a tag) ends the reading and is left to the caller.
void AppendEntity(TByteReader& reader, TSubtitleText& text, bool utf8);

// Appends a byte of subtitle text read from markup: NUL, tab and line ends are dropped (line breaks
// come from tags), "&" starts an entity.
void AppendTextByte(TByteReader& reader, TSubtitleText& text, char c, bool utf8);

} // namespace markup
