#pragma once
// Reading a markup tag and taking it apart: the tag text, its name and its attribute values.
#include "plugins/decoders/markup/TByteReader.h"
#include "plugins/decoders/markup/TSubtitleText.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace markup {

inline constexpr std::size_t kMaxTagChars = 499;
inline constexpr std::size_t kMaxTagName = 74;
inline constexpr std::size_t kMaxAttributeValue = 250;

// Reads the tag after a "<" into `tag`, in upper case, up to its ">" (a ">" right after the "<" is
// passed over). False when the data ended or kMaxTagChars characters were read before a ">": `tag`
// then holds what was read, which the caller puts into the text as it stands.
bool ReadTag(TByteReader& reader, std::string& tag);

struct TTagParts {
    std::string_view Name;       // empty when the tag has none
    std::string_view Attributes; // the text behind the name
};

// The name of an upper-case tag: a "/" or a capital letter followed by capital letters, at most
// kMaxTagName characters. With `skipLeading`, characters before the name that are neither a capital
// letter nor "/" are passed over; without, a tag that starts with anything else has no name.
TTagParts SplitTag(std::string_view tag, bool skipLeading);

// The value of an attribute of an upper-case tag: the name is found anywhere in the text (also inside
// a longer word), followed by optional blanks, "=", optional blanks and a run of capital letters,
// digits, double quotes, "#", "." and ":" (at most kMaxAttributeValue). A place where the name is not
// followed so is passed over and the search goes on. Nothing when no place qualifies.
std::optional<std::string_view> AttributeValue(std::string_view attributes, std::string_view name);

// Appends the override tag of a formatting tag of subtitle text: FONT with a COLOR that is a colour,
// BR ("\N"), B, /B, I and /I ("{\B1}", "{\B0}", ...). False for any other name (nothing appended).
bool AppendFormattingTag(std::string_view name, std::string_view attributes, TSubtitleText& text);

} // namespace markup
