#pragma once
// The walk the markup decoders share over a file's bytes (as TMarkupSource gives them): at each '<'
// the reader goes to `onTag`, which reads the tag; every other byte goes to `onText`.
#include "plugins/decoders/markup/TByteReader.h"
#include "plugins/decoders/markup/TMarkupSource.h"

#include <string_view>

namespace markup {

// `utf8` is set, before the first byte is handed on, to whether the bytes are UTF-8.
template <class OnTag, class OnText>
void WalkMarkup(std::string_view data, bool& utf8, OnTag&& onTag, OnText&& onText) {
    const TMarkupSource source(data);
    utf8 = source.IsUtf8();
    TByteReader reader(source.Bytes());
    char c = 0;
    while (reader.Next(c)) {
        if (c == '<') {
            onTag(reader);
        } else {
            onText(reader, c);
        }
    }
}

} // namespace markup
