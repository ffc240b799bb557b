#include "platform/text/CodePage.h"

#include "platform/text/Unicode.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <utility>

namespace plat::text {

namespace {

// A code page converted by ICU. The IBM PC tables of ICU swap the controls 0x1A, 0x1C and 0x7F
// (0x1A -> U+001C, 0x1C -> U+007F, 0x7F -> U+001A); Windows keeps those controls as themselves, so
// those pages undo the swap.
struct IcuPage {
    std::uint32_t number;
    const char* name;
    bool ibmControls;
};

// The windows-125x tables of ICU already map the bytes Windows leaves undefined in 0x80-0x9F to the
// C1 control of the same number (0x81 -> U+0081), as MultiByteToWideChar does.
constexpr IcuPage kIcuPages[] = {
    {437, "ibm-437", true},        {850, "ibm-850", true},           {852, "ibm-852", true},
    {855, "ibm-855", true},        {857, "ibm-857", true},           {860, "ibm-860", true},
    {861, "ibm-861", true},        {862, "ibm-862", true},           {863, "ibm-863", true},
    {864, "ibm-864", true},        {865, "ibm-865", true},           {866, "ibm-866", true},
    {869, "ibm-869", true},        {874, "windows-874", false},      {932, "windows-932", true},
    {936, "windows-936", false},   {949, "windows-949", false},      {950, "windows-950", false},
    {1250, "windows-1250", false}, {1251, "windows-1251", false},    {1252, "windows-1252", false},
    {1253, "windows-1253", false}, {1254, "windows-1254", false},    {1255, "windows-1255", false},
    {1256, "windows-1256", false}, {1257, "windows-1257", false},    {1258, "windows-1258", false},
    {10000, "macintosh", false},   {10007, "x-mac-cyrillic", false}, {10029, "x-mac-centraleurroman", false},
    {20127, "US-ASCII", false},    {20866, "KOI8-R", false},         {21866, "KOI8-U", false},
    {28591, "ISO-8859-1", false},  {28592, "ISO-8859-2", false},     {28593, "ISO-8859-3", false},
    {28594, "ISO-8859-4", false},  {28595, "ISO-8859-5", false},     {28596, "ISO-8859-6", false},
    {28597, "ISO-8859-7", false},  {28598, "ISO-8859-8", false},     {28599, "ISO-8859-9", false},
    {28603, "ISO-8859-13", false}, {28605, "ISO-8859-15", false},    {50220, "ISO-2022-JP", false},
    {51932, "EUC-JP", false},      {51949, "EUC-KR", false},         {52936, "HZ", false},
    {54936, "GB18030", false},
};

const IcuPage* FindIcuPage(std::uint32_t codePage) {
    const auto* it = std::find_if(std::begin(kIcuPages), std::end(kIcuPages),
                                  [codePage](const IcuPage& p) { return p.number == codePage; });
    return it == std::end(kIcuPages) ? nullptr : it;
}

bool IsUnicodePage(std::uint32_t codePage) {
    switch (codePage) {
    case kCpAcp:
    case kCpUtf8:
    case kCpUtf16Le:
    case kCpUtf16Be:
    case kCpUtf32Le:
    case kCpUtf32Be:
        return true;
    default:
        return false;
    }
}

// --- UTF-16 and UTF-32 as bytes ---

template <std::size_t Width> std::uint32_t ReadUnit(const char* p, bool bigEndian) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < Width; ++i) {
        const auto b = static_cast<unsigned char>(p[bigEndian ? i : Width - 1 - i]);
        v = (v << 8) | b;
    }
    return v;
}

template <std::size_t Width> void WriteUnit(std::string& out, std::uint32_t v, bool bigEndian) {
    for (std::size_t i = 0; i < Width; ++i) {
        const std::size_t shift = 8 * (bigEndian ? Width - 1 - i : i);
        out += static_cast<char>((v >> shift) & 0xFF);
    }
}

// Code units are taken as they are (unpaired surrogates too); an odd trailing byte is undecodable.
void DecodeUtf16Bytes(std::string_view bytes, bool bigEndian, WString& out) {
    out.reserve(bytes.size() / 2 + 1);
    std::size_t i = 0;
    for (; i + 2 <= bytes.size(); i += 2) {
        out += static_cast<char16_t>(ReadUnit<2>(bytes.data() + i, bigEndian));
    }
    if (i < bytes.size()) {
        out += static_cast<char16_t>(unicode::kReplacement);
    }
}

void DecodeUtf32Bytes(std::string_view bytes, bool bigEndian, WString& out) {
    out.reserve(bytes.size() / 4 + 1);
    std::size_t i = 0;
    for (; i + 4 <= bytes.size(); i += 4) {
        const char32_t cp = ReadUnit<4>(bytes.data() + i, bigEndian);
        const bool scalar = cp <= 0x10FFFF && !unicode::IsSurrogate(cp);
        unicode::AppendUtf16(out, scalar ? cp : unicode::kReplacement);
    }
    if (i < bytes.size()) {
        out += static_cast<char16_t>(unicode::kReplacement);
    }
}

void EncodeUtf16Bytes(WStringView text, bool bigEndian, std::string& out) {
    out.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        WriteUnit<2>(out, unit, bigEndian);
    }
}

void EncodeUtf32Bytes(WStringView text, bool bigEndian, std::string& out) {
    out.reserve(text.size() * 4);
    for (std::size_t i = 0; i < text.size();) {
        const unicode::Step step = unicode::DecodeUtf16(text, i);
        WriteUnit<4>(out, step.valid ? step.cp : unicode::kReplacement, bigEndian);
        i += step.length;
    }
}

void ConvertUnicodePage(std::uint32_t codePage, std::string_view bytes, WString& out) {
    switch (codePage) {
    case kCpUtf16Le:
    case kCpUtf16Be:
        DecodeUtf16Bytes(bytes, codePage == kCpUtf16Be, out);
        break;
    case kCpUtf32Le:
    case kCpUtf32Be:
        DecodeUtf32Bytes(bytes, codePage == kCpUtf32Be, out);
        break;
    default:
        out = AnsiToWide(bytes);
        break;
    }
}

void ConvertUnicodePage(std::uint32_t codePage, WStringView text, std::string& out) {
    switch (codePage) {
    case kCpUtf16Le:
    case kCpUtf16Be:
        EncodeUtf16Bytes(text, codePage == kCpUtf16Be, out);
        break;
    case kCpUtf32Le:
    case kCpUtf32Be:
        EncodeUtf32Bytes(text, codePage == kCpUtf32Be, out);
        break;
    default:
        out = WideToAnsi(text);
        break;
    }
}

// --- ICU ---

struct ConverterCloser {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Every undecodable or unassigned sequence becomes one U+FFFD (ICU's own substitute would give
// U+001A for some tables).
void ReplaceUndecodable(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                        UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) {
        return;
    }
    const UChar replacement = static_cast<UChar>(unicode::kReplacement);
    *err = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &replacement, 1, 0, err);
}

ConverterPtr OpenConverter(const IcuPage& page) {
    UErrorCode err = U_ZERO_ERROR;
    ConverterPtr conv(ucnv_open(page.name, &err));
    if (U_FAILURE(err) || !conv) {
        return nullptr;
    }
    ucnv_setToUCallBack(conv.get(), ReplaceUndecodable, nullptr, nullptr, nullptr, &err);
    ucnv_setSubstChars(conv.get(), "?", 1, &err);
    ucnv_setFallback(conv.get(), true);
    if (U_FAILURE(err)) {
        return nullptr;
    }
    return conv;
}

// The controls the IBM PC tables of ICU move: {the byte's own code point, what ICU maps the byte to}.
constexpr std::array<std::pair<char16_t, char16_t>, 3> kIbmControls{
    {{0x1A, 0x1C}, {0x1C, 0x7F}, {0x7F, 0x1A}}};

char16_t SwapIbmControl(char16_t c, bool toIcu) {
    for (const auto& [own, icu] : kIbmControls) {
        if (c == (toIcu ? own : icu)) {
            return toIcu ? icu : own;
        }
    }
    return c;
}

// Runs one ICU conversion to its end, growing the output when ICU reports it full.
template <class Unit, class Src, class Convert>
bool RunConversion(std::basic_string<Unit>& out, const Src* src, const Src* end, Convert convert) {
    std::size_t used = 0;
    out.resize(static_cast<std::size_t>(end - src) * 2 + 16);
    for (;;) {
        UErrorCode err = U_ZERO_ERROR;
        Unit* dst = out.data() + used;
        convert(&dst, out.data() + out.size(), &src, end, &err);
        used = static_cast<std::size_t>(dst - out.data());
        if (err == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(out.size() * 2);
            continue;
        }
        out.resize(used);
        return U_SUCCESS(err);
    }
}

bool IcuToWide(const IcuPage& page, std::string_view bytes, WString& out) {
    ConverterPtr conv = OpenConverter(page);
    if (!conv) {
        return false;
    }
    if (bytes.empty()) {
        return true;
    }
    const bool ok =
        RunConversion(out, bytes.data(), bytes.data() + bytes.size(),
                      [&](UChar** dst, UChar* limit, const char** src, const char* end, UErrorCode* err) {
                          ucnv_toUnicode(conv.get(), dst, limit, src, end, nullptr, true, err);
                      });
    if (!ok) {
        out.clear();
        return false;
    }
    if (page.ibmControls) {
        std::transform(out.begin(), out.end(), out.begin(),
                       [](char16_t c) { return SwapIbmControl(c, false); });
    }
    return true;
}

bool IcuToBytes(const IcuPage& page, WStringView text, std::string& out) {
    ConverterPtr conv = OpenConverter(page);
    if (!conv) {
        return false;
    }
    if (text.empty()) {
        return true;
    }
    WString source(text);
    if (page.ibmControls) {
        std::transform(source.begin(), source.end(), source.begin(),
                       [](char16_t c) { return SwapIbmControl(c, true); });
    }
    const bool ok =
        RunConversion(out, source.data(), source.data() + source.size(),
                      [&](char** dst, char* limit, const UChar** src, const UChar* end, UErrorCode* err) {
                          ucnv_fromUnicode(conv.get(), dst, limit, src, end, nullptr, true, err);
                      });
    if (!ok) {
        out.clear();
    }
    return ok;
}

} // namespace

std::uint32_t AnsiCodePage() {
    return kCpUtf8;
}

bool IsCodePageSupported(std::uint32_t codePage) {
    if (IsUnicodePage(codePage)) {
        return true;
    }
    const IcuPage* page = FindIcuPage(codePage);
    return page != nullptr && OpenConverter(*page) != nullptr;
}

bool MultiByteToWide(std::uint32_t codePage, std::string_view bytes, WString& out) {
    out.clear();
    if (IsUnicodePage(codePage)) {
        ConvertUnicodePage(codePage, bytes, out);
        return true;
    }
    const IcuPage* page = FindIcuPage(codePage);
    return page != nullptr && IcuToWide(*page, bytes, out);
}

bool WideToMultiByte(std::uint32_t codePage, WStringView text, std::string& out) {
    out.clear();
    if (IsUnicodePage(codePage)) {
        ConvertUnicodePage(codePage, text, out);
        return true;
    }
    const IcuPage* page = FindIcuPage(codePage);
    return page != nullptr && IcuToBytes(*page, text, out);
}

// UTF-8 never takes fewer bytes than UTF-16 takes units, so the text is written into room of its
// byte count and cut to what was written; ASCII goes unit by unit without decoding.
WString AnsiToWide(std::string_view bytes) {
    WString out(bytes.size(), u'\0');
    char16_t* at = out.data();
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            *at++ = lead;
            ++i;
            continue;
        }
        const unicode::Step step = unicode::DecodeUtf8(bytes, i);
        at += unicode::PutUtf16(at, step.cp);
        i += step.length;
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    return out;
}

std::string WideToAnsi(WStringView text) {
    std::string out;
    WideToAnsi(text, out);
    return out;
}

void WideToAnsi(WStringView text, std::string& out) {
    out.clear();
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unicode::Step step = unicode::DecodeUtf16(text, i);
        unicode::AppendUtf8(out, step.valid ? step.cp : unicode::kReplacement);
        i += step.length;
    }
}

std::size_t Utf8CutLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text.size();
    }
    // A character is at most 4 bytes: the one that holds byte maxBytes starts at most 3 bytes before.
    const std::size_t first = maxBytes >= 3 ? maxBytes - 3 : 0;
    for (std::size_t start = maxBytes + 1; start-- > first;) {
        const auto b = static_cast<unsigned char>(text[start]);
        if ((b & 0xC0) != 0x80) {
            const bool crosses = start + unicode::DecodeUtf8(text, start).length > maxBytes;
            return crosses ? start : maxBytes;
        }
    }
    return maxBytes;
}

std::size_t CopyToFixedField(std::string_view text, char* field, std::size_t fieldSize) {
    if (field == nullptr || fieldSize == 0) {
        return 0;
    }
    const std::size_t n = Utf8CutLength(text, fieldSize - 1);
    std::memcpy(field, text.data(), n);
    field[n] = 0;
    return n;
}

} // namespace plat::text
