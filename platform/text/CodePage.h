#pragma once
// Code pages by Windows number. The process "ANSI" code page is UTF-8 (65001), as on a Windows
// system set to UTF-8; other code pages are converted through ICU.
#include "platform/text/WideString.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plat::text {

constexpr std::uint32_t kCpAcp = 0; // the process ANSI code page
constexpr std::uint32_t kCpUtf8 = 65001;
constexpr std::uint32_t kCpUtf16Le = 1200;
constexpr std::uint32_t kCpUtf16Be = 1201;
constexpr std::uint32_t kCpUtf32Le = 12000;
constexpr std::uint32_t kCpUtf32Be = 12001;

// The process ANSI code page: always 65001.
std::uint32_t AnsiCodePage();

// True when bytes of this code page can be converted (kCpAcp included).
bool IsCodePageSupported(std::uint32_t codePage);

// Converts bytes of a code page to UTF-16. Undecodable bytes become U+FFFD. Answers false, with the
// output empty, when the code page is unknown.
bool MultiByteToWide(std::uint32_t codePage, std::string_view bytes, WString& out);
// Converts UTF-16 to a code page. Characters the code page lacks become '?'. False for an unknown
// code page.
bool WideToMultiByte(std::uint32_t codePage, WStringView text, std::string& out);

// The ANSI (UTF-8) conversions, which cannot fail.
WString AnsiToWide(std::string_view bytes);
std::string WideToAnsi(WStringView text);
// The same into `out`, whose room is reused: text converted piece by piece needs no new string each time.
void WideToAnsi(WStringView text, std::string& out);

// Guesses the code page of a block of bytes (Windows number). Nothing when no guess is made.
std::optional<std::uint32_t> DetectCodePage(std::string_view bytes);

// The largest prefix length of UTF-8 text not above maxBytes that ends on a character boundary.
std::size_t Utf8CutLength(std::string_view text, std::size_t maxBytes);

// Copies UTF-8 text into a fixed 8-bit field of fieldSize bytes, cut at a character boundary so that
// a terminator always fits; answers the bytes copied (without the terminator).
std::size_t CopyToFixedField(std::string_view text, char* field, std::size_t fieldSize);

} // namespace plat::text
