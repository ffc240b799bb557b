#pragma once
// Small text helpers shared by the script, profile and language readers and writers and by the
// editor: substring search, the key and field tokenisers of the 8-bit profile formats, the
// h:mm:ss.hh time text, line reading, file-name functions, replace-all and the alignment conversion.
// 8-bit text is UTF-8 (the process ANSI code page); UTF-16 text is char16_t.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace scrutils {

// 1-based position of the first occurrence of `searched` in `text`, 0 when absent (or when
// `searched` is empty). Without `caseSensitive` characters are compared upper-cased.
int FindTextPos(std::string_view text, std::string_view searched, bool caseSensitive);
int FindTextPosW(std::u16string_view text, std::u16string_view searched, bool caseSensitive);

// Copies the key from `pos` up to ':' or the end of the line, at most `limit` characters, then
// steps over one ':' and one following blank, each only when it is not the line's last character.
// Always true.
bool ReadKeyToken(std::string_view line, std::size_t& pos, std::string& key, std::size_t limit);

// False at the end of the line or for a zero limit; else copies up to ',' (or the end, or `limit`
// characters), steps over one ',' and, with `skipBlank`, one following blank that is not the
// line's last character.
bool ReadFieldToken(std::string_view line, std::size_t& pos, std::string& field, std::size_t limit,
                    bool skipBlank);

// Writes the magnitude of `ms` as "%01d:%02d:%02d.%02d" (hundredths truncated); answers whether the
// value was not negative.
bool FormatTimeMs(int32_t ms, std::string& out);
bool FormatTimeMsW(int32_t ms, std::u16string& out);

// Reads "h:mm:ss.hh": hours, minutes and seconds of up to 4 characters ended by ':', ':' and '.',
// blanks inside them read as '0'; then up to 2 hundredths digits (a blank second digit reads as
// '0'). -1 when a field is missing. The value is negated without `positive`.
int32_t ParseTimeText(std::string_view text, bool positive);
int32_t ParseTimeTextW(std::u16string_view text, bool positive);

// Reads the next non-empty line of at most `limit` bytes. CR and LF end a line; line ends before
// the first character are skipped; the end of the data ends the last line. A line longer than the
// limit is cut into pieces of `limit` bytes and no byte is lost: the byte that met the full line
// starts the next one. `threeLineEnds` (when given) tells whether three or more line-end
// characters were met during this read. False when no line was left.
bool ReadTextLine(std::string_view data, std::size_t& index, std::string& line, std::size_t limit,
                  bool* threeLineEnds = nullptr);
bool ReadTextLine(std::FILE* file, std::string& line, std::size_t limit, bool* threeLineEnds = nullptr);

// The position of the name's last '.' (where its extension starts); npos when it has none or the
// name is shorter than two characters.
std::size_t FindFileExtension(std::u16string_view name);

// The extension with its dot, looked for among the last 10 characters only; false when none.
bool GetFileExtension(std::u16string_view path, std::u16string& extension);
bool GetFileExtensionA(std::string_view path, std::string& extension);

// With a '.' among the last 10 characters, replaces what follows it by `extension` (without a dot),
// or cuts the dot and the rest when `extension` is empty; otherwise appends '.' and the extension
// (when one is given). Answers whether a dot was found.
bool ChangeFileExtension(std::u16string& path, std::u16string_view extension);

// The part after the last '\' or '/' (the whole text when there is none); false for an empty text.
bool ExtractFileName(std::u16string_view path, std::u16string& name);

// Hours in the low byte, minutes in the second, seconds in the third; 0 for a negative time.
uint32_t MsToPackedHms(int32_t ms);

// Replaces every occurrence of `searched` (found without regard to case unless `caseSensitive`) in
// place and answers how many were found. Pieces are kept while the result stays below `capacity`
// characters; occurrences do not overlap.
int ReplaceAllText(std::string& text, std::size_t capacity, std::string_view searched,
                   std::string_view replacement, bool caseSensitive = false);
int ReplaceAllTextW(std::u16string& text, std::size_t capacity, std::u16string_view searched,
                    std::u16string_view replacement, bool caseSensitive = false);
// The same with a result of exactly the needed length and no capacity limit.
int ReplaceAllTextAllocW(std::u16string_view text, std::u16string& result, std::u16string_view searched,
                         std::u16string_view replacement);

// SubStation v4 alignment (1-3 bottom, 5-7 top, 9-11 middle) to the v4+ numeric-keypad value and
// back; other values are kept.
int32_t SsaToAssAlignment(int32_t alignment);
int32_t AssToSsaAlignment(int32_t alignment);

} // namespace scrutils
