#pragma once
// Generated subtitle files for the decoder's tests, fuzz seeds and benchmarks: cues with plain,
// tagged, multi-line and non-ASCII text, written as SubRip, MicroDVD or SubViewer 2 text and encoded
// in a chosen encoding.
#include <cstdint>
#include <string>
#include <vector>

namespace corpus {

struct Cue {
    int32_t Start = 0; // milliseconds
    int32_t End = 0;
    std::vector<std::string> Lines; // UTF-8; SubRip tags (<i>, <b>) where the cue has them
};

enum class Alphabet { Ascii, Latin, Cyrillic };
enum class Encoding { Utf8, Utf8Bom, Utf16LeBom, Utf16BeBom, Cp1251, Cp1252 };

// `count` cues in time order from a seeded generator; `tags` puts <i>/<b> into some of them.
std::vector<Cue> Cues(int count, uint32_t seed, Alphabet alphabet, bool tags);

std::string SubRip(const std::vector<Cue>& cues, const std::string& lineEnd, bool finalBlankLine);
// SubRip as files that were edited by hand look: CR LF and LF entries mixed, every fourth entry
// without its blank line, some lines in <font color=...> tags.
std::string RoughSubRip(const std::vector<Cue>& cues);
// Frames at `rate`; the "{1}{1}rate" entry first when `rateLine`. Lines are joined with "|" and tags
// become {y:i}/{y:b} for the whole cue.
std::string MicroDvd(const std::vector<Cue>& cues, double rate, bool rateLine, const std::string& lineEnd);
// With the [INFORMATION] header; times in hundredths, lines joined with "[br]".
std::string SubViewer2(const std::vector<Cue>& cues, const std::string& lineEnd);

// UTF-8 text in the encoding (byte-order mark included where the encoding has one).
std::string Encode(const std::string& utf8, Encoding encoding);
// The code-page name ffmpeg is told for a legacy encoding; empty for the Unicode ones.
std::string FfmpegCharset(Encoding encoding);

} // namespace corpus
