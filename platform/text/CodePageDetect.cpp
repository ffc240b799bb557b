// Code-page detection, kept apart from the converters so that programs which never detect do not
// link uchardet.
#include "platform/text/CodePage.h"

#include <uchardet/uchardet.h>

#include <algorithm>
#include <array>
#include <memory>
#include <strings.h>

namespace plat::text {

namespace {

struct ByteOrderMark {
    std::string_view bytes;
    std::uint32_t codePage;
};

// UTF-32 LE first: its mark begins with the UTF-16 LE one.
constexpr std::array<ByteOrderMark, 5> kMarks{{
    {std::string_view("\xFF\xFE\0\0", 4), kCpUtf32Le},
    {std::string_view("\0\0\xFE\xFF", 4), kCpUtf32Be},
    {"\xEF\xBB\xBF", kCpUtf8},
    {"\xFF\xFE", kCpUtf16Le},
    {"\xFE\xFF", kCpUtf16Be},
}};

struct CharsetName {
    const char* name;
    std::uint32_t codePage;
};

// uchardet's names for the charsets it reports, by Windows number. Plain ASCII is valid UTF-8 and
// the ANSI code page is UTF-8, so it answers 65001.
constexpr CharsetName kCharsets[] = {
    {"ASCII", kCpUtf8},       {"UTF-8", kCpUtf8},
    {"UTF-16LE", kCpUtf16Le}, {"UTF-16BE", kCpUtf16Be},
    {"UTF-32LE", kCpUtf32Le}, {"UTF-32BE", kCpUtf32Be},
    {"WINDOWS-1250", 1250},   {"WINDOWS-1251", 1251},
    {"WINDOWS-1252", 1252},   {"WINDOWS-1253", 1253},
    {"WINDOWS-1254", 1254},   {"WINDOWS-1255", 1255},
    {"WINDOWS-1256", 1256},   {"WINDOWS-1257", 1257},
    {"WINDOWS-1258", 1258},   {"ISO-8859-1", 28591},
    {"ISO-8859-2", 28592},    {"ISO-8859-3", 28593},
    {"ISO-8859-4", 28594},    {"ISO-8859-5", 28595},
    {"ISO-8859-6", 28596},    {"ISO-8859-7", 28597},
    {"ISO-8859-8", 28598},    {"ISO-8859-9", 28599},
    {"ISO-8859-11", 874},     {"ISO-8859-13", 28603},
    {"ISO-8859-15", 28605},   {"TIS-620", 874},
    {"SHIFT_JIS", 932},       {"EUC-JP", 51932},
    {"ISO-2022-JP", 50220},   {"GB18030", 54936},
    {"HZ-GB-2312", 52936},    {"BIG5", 950},
    {"EUC-KR", 51949},        {"UHC", 949},
    {"KOI8-R", 20866},        {"IBM852", 852},
    {"IBM855", 855},          {"IBM866", 866},
    {"MAC-CYRILLIC", 10007},  {"MAC-CENTRALEUROPE", 10029},
};

std::optional<std::uint32_t> FromMark(std::string_view bytes) {
    for (const ByteOrderMark& mark : kMarks) {
        if (bytes.starts_with(mark.bytes)) {
            return mark.codePage;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> FromCharsetName(const char* name) {
    if (name == nullptr) {
        return std::nullopt;
    }
    const auto* it = std::find_if(std::begin(kCharsets), std::end(kCharsets),
                                  [name](const CharsetName& c) { return strcasecmp(c.name, name) == 0; });
    if (it == std::end(kCharsets)) {
        return std::nullopt;
    }
    return it->codePage;
}

struct DetectorDeleter {
    void operator()(uchardet_t d) const { uchardet_delete(d); }
};

} // namespace

std::optional<std::uint32_t> DetectCodePage(std::string_view bytes) {
    if (const auto marked = FromMark(bytes)) {
        return marked;
    }
    if (bytes.empty()) {
        return std::nullopt;
    }
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, DetectorDeleter> detector(uchardet_new());
    if (!detector || uchardet_handle_data(detector.get(), bytes.data(), bytes.size()) != 0) {
        return std::nullopt;
    }
    uchardet_data_end(detector.get());
    return FromCharsetName(uchardet_get_charset(detector.get()));
}

} // namespace plat::text
