#pragma once
// Text helpers of the XML reader: entity decoding, white space, whole-file reading.
#include <cstddef>
#include <cstdint>
#include <string>

// Decodes &lt; &gt; &amp; &quot; (and with `extended` also &slash; &bkslash; &col; &ast; &bar;) in
// one left-to-right pass, in place, and terminates the result. False for no text.
bool XmlDecodeEntities(char16_t* text, bool extended);

// Decodes `count` characters of `source` into `target` (which may be `source` itself: the text only
// shrinks) and answers the decoded length; no terminator is written.
std::size_t XmlDecodeEntitiesTo(char16_t* target, const char16_t* source, std::size_t count, bool extended);

// The number an element's or attribute's text starts with: decimal digits after an optional sign; 0
// for no text or no digits; saturated to 32 bits.
std::int32_t XmlNumber(const char16_t* text);

// Tab, line feed, form feed, carriage return and blank.
constexpr bool XmlIsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r';
}

// Reads a text file: after an FF FE mark (files longer than one byte) its UTF-16LE text up to the
// first zero character, else the whole file converted from ANSI (UTF-8). False, with `text`
// untouched, when the file cannot be read.
bool ReadTextFileW(const char16_t* path, std::u16string& text);

// Reads the whole file (a zero byte always follows bytes.data()). False, with `bytes` untouched,
// when it cannot be read.
bool ReadFileBytesA(const char* path, std::string& bytes);
