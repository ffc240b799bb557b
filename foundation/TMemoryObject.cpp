#include "foundation/TMemoryObject.h"

#include "platform/text/CodePage.h"
#include "platform/text/WideString.h"
#include "foundation/FileIo.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

constexpr int64_t kMaxBlock = std::numeric_limits<int32_t>::max();

enum class EscapeWhen { Always, UnlessKeepQuotes, Extended };

struct XmlEscape {
    char16_t ch;
    EscapeWhen when;
    std::string_view narrow;
    std::u16string_view wide;
};

constexpr XmlEscape kEscapes[] = {
    {u'<', EscapeWhen::Always, "&lt;", u"&lt;"},
    {u'>', EscapeWhen::Always, "&gt;", u"&gt;"},
    {u'&', EscapeWhen::Always, "&amp;", u"&amp;"},
    {u'"', EscapeWhen::UnlessKeepQuotes, "&quot;", u"&quot;"},
    {u'/', EscapeWhen::Extended, "&slash;", u"&slash;"},
    {u'\\', EscapeWhen::Extended, "&bkslash;", u"&bkslash;"},
    {u':', EscapeWhen::Extended, "&col;", u"&col;"},
    {u'*', EscapeWhen::Extended, "&ast;", u"&ast;"},
    {u'|', EscapeWhen::Extended, "&bar;", u"&bar;"},
};

const XmlEscape* FindEscape(char16_t c, bool keepQuotes, bool extended) {
    for (const XmlEscape& e : kEscapes) {
        if (e.ch == c) {
            const bool applies = e.when == EscapeWhen::Always ||
                                 (e.when == EscapeWhen::UnlessKeepQuotes && !keepQuotes) ||
                                 (e.when == EscapeWhen::Extended && extended);
            return applies ? &e : nullptr;
        }
    }
    return nullptr;
}

char16_t Unit(char c) {
    return static_cast<unsigned char>(c);
}
char16_t Unit(char16_t c) {
    return c;
}

char* Allocate(int32_t size) {
    char* block = static_cast<char*>(std::malloc(static_cast<size_t>(size)));
    if (!block) {
        throw std::bad_alloc();
    }
    return block;
}

bool StartsWithUtf16Mark(const std::string& bytes) {
    return bytes.size() > 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
           static_cast<unsigned char>(bytes[1]) == 0xFE;
}

} // namespace

TMemoryObject::TMemoryObject(int32_t growStep)
    : GrowStep(std::max<int32_t>(growStep, 1)), Capacity(GrowStep), Data(Allocate(Capacity)), WritePos(Data) {
}

TMemoryObject::~TMemoryObject() {
    std::free(Data);
}

void TMemoryObject::Reset() {
    char* fresh = Allocate(GrowStep);
    std::free(Data);
    Data = WritePos = fresh;
    Capacity = GrowStep;
    Used = 0;
}

bool TMemoryObject::SetUsed(int32_t length) {
    if (length < 0 || length > Capacity) {
        return false;
    }
    Used = length;
    WritePos = Data + Used;
    return true;
}

bool TMemoryObject::CanAppend(int64_t count, bool keep) const {
    return (keep ? Used : 0) + count + GrowStep + 10 <= kMaxBlock;
}

void TMemoryObject::Grow(int32_t count) {
    const int64_t needed = int64_t{Used} + count + 10;
    if (needed < Capacity) {
        return;
    }
    const int64_t stepped = int64_t{Capacity} + GrowStep;
    const int64_t capacity = needed < stepped ? stepped : needed + GrowStep;
    if (capacity > kMaxBlock) {
        throw std::length_error("TMemoryObject: block would pass 2 GB");
    }
    char* block = static_cast<char*>(std::realloc(Data, static_cast<size_t>(capacity)));
    if (!block) {
        throw std::bad_alloc();
    }
    Data = block;
    Capacity = static_cast<int32_t>(capacity);
    WritePos = Data + Used;
}

char* TMemoryObject::AppendData(const void* source, int32_t count) {
    if (count < 0) {
        return nullptr;
    }
    // A source inside this block moves with it when the block is reallocated.
    const char* from = static_cast<const char*>(source);
    const std::less<const char*> before;
    const bool inside = from && !before(from, Data) && before(from, Data + Capacity);
    const ptrdiff_t offset = inside ? from - Data : 0;
    Grow(count);
    if (inside) {
        from = Data + offset;
    }
    char* at = WritePos;
    if (from) {
        std::memmove(at, from, static_cast<size_t>(count));
    } else {
        std::memset(at, 0, static_cast<size_t>(count));
    }
    Used += count;
    WritePos = Data + Used;
    return at;
}

bool TMemoryObject::AppendString(const char16_t* text) {
    const size_t length = plat::text::WLen(text);
    return length <= static_cast<size_t>(kMaxBlock / 2) && AppendChars(text, static_cast<int32_t>(length));
}

bool TMemoryObject::AppendChars(const char16_t* chars, int32_t count) {
    if (!chars || count <= 0 || count > kMaxBlock / 2) {
        return false;
    }
    AppendData(chars, count * 2);
    return true;
}

char* TMemoryObject::AppendNul() {
    return AppendData(nullptr, 2);
}

bool TMemoryObject::GrowForRetry() {
    const int32_t used = Used;
    const int64_t grow = int64_t{Capacity} - Used + GrowStep;
    if (!CanAppend(grow)) {
        return false;
    }
    AppendData(nullptr, static_cast<int32_t>(grow));
    SetUsed(used);
    return true;
}

bool TMemoryObject::AppendFormatV(const char16_t* fmt, std::span<const plat::text::FormatArg> args) {
    if (!fmt) {
        return false;
    }
    for (;;) {
        // Two characters stay free so that the formatter's terminator always has room.
        const int32_t limit = std::max((Capacity - Used) / 2 - 2, 0);
        const int written = plat::text::FormatBounded(reinterpret_cast<char16_t*>(WritePos),
                                                      static_cast<size_t>(limit), fmt, args);
        if (written >= 0) {
            return SetUsed(Used + written * 2);
        }
        if (!GrowForRetry()) {
            return false;
        }
    }
}

bool TMemoryObject::AppendFormatAV(const char* fmt, std::span<const plat::text::FormatArg> args) {
    if (!fmt) {
        return false;
    }
    for (;;) {
        const int32_t limit = std::max(Capacity - Used - 1, 0);
        const int written = plat::text::FormatBounded(WritePos, static_cast<size_t>(limit), fmt, args);
        if (written >= 0) {
            return SetUsed(Used + written);
        }
        if (!GrowForRetry()) {
            return false;
        }
    }
}

template <class Char> void TMemoryObject::AppendEscaped(const Char* text, bool keepQuotes, bool extended) {
    for (; text && *text; ++text) {
        const XmlEscape* escape = FindEscape(Unit(*text), keepQuotes, extended);
        if (!escape) {
            AppendData(text, sizeof(Char));
        } else if constexpr (sizeof(Char) == 1) {
            AppendData(escape->narrow.data(), static_cast<int32_t>(escape->narrow.size()));
        } else {
            AppendData(escape->wide.data(), static_cast<int32_t>(escape->wide.size() * 2));
        }
    }
}

void TMemoryObject::AppendXmlEscaped(const char16_t* text, bool keepQuotes, bool extended) {
    AppendEscaped(text, keepQuotes, extended);
}

void TMemoryObject::AppendXmlEscapedA(const char* text, bool keepQuotes, bool extended) {
    AppendEscaped(text, keepQuotes, extended);
}

bool TMemoryObject::LoadTextFile(const char16_t* path, bool detect) {
    std::string bytes;
    if (!path || !fileio::ReadWholeFile(plat::text::WideToAnsi(path).c_str(), bytes)) {
        return false;
    }
    SetUsed(0);
    if (StartsWithUtf16Mark(bytes)) {
        // A trailing odd byte is half a character and is left out.
        const int64_t size = static_cast<int64_t>((bytes.size() - 2) & ~size_t{1});
        if (CanAppend(size)) {
            AppendData(bytes.data() + 2, static_cast<int32_t>(size));
        }
    } else if (detect) {
        Convert(nullptr, bytes, false);
    } else {
        AppendAnsi(bytes.c_str(), false);
    }
    return Used != 0;
}

bool TMemoryObject::AppendMultiByte(uint32_t* codePage, const char* bytes, int32_t count, bool append) {
    if (count < 0 || (!bytes && count > 0)) {
        return false;
    }
    return Convert(codePage, std::string_view(bytes ? bytes : "", static_cast<size_t>(count)), append);
}

void TMemoryObject::AppendAnsi(const char* text, bool append) {
    uint32_t ansi = plat::text::kCpAcp;
    Convert(&ansi, text ? text : "", append);
}

bool TMemoryObject::Convert(uint32_t* codePage, std::string_view bytes, bool append) {
    uint32_t page = plat::text::kCpAcp;
    if (codePage && *codePage != kDetectCodePage) {
        page = *codePage;
    } else if (const auto detected = plat::text::DetectCodePage(bytes)) {
        page = *detected;
        if (codePage) {
            *codePage = page;
        }
    }
    plat::text::WString wide;
    if (!plat::text::MultiByteToWide(page, bytes, wide)) {
        return false;
    }
    // The characters go into zero-filled room two characters longer, so a zero character follows.
    const int64_t size = static_cast<int64_t>(wide.size()) * 2;
    if (!CanAppend(size + 4, append)) {
        return false;
    }
    if (!append) {
        SetUsed(0);
    }
    char* room = AppendData(nullptr, static_cast<int32_t>(size + 4));
    std::memcpy(room, wide.data(), static_cast<size_t>(size));
    SetUsed(Used - 4);
    return true;
}

bool TMemoryObject::AppendAsMultiByte(const char16_t* text, bool append, uint32_t codePage) {
    std::string bytes;
    if (!plat::text::WideToMultiByte(codePage, text ? text : u"", bytes)) {
        return false;
    }
    const int64_t size = static_cast<int64_t>(bytes.size());
    if (!CanAppend(size, append)) {
        return false;
    }
    if (!append) {
        SetUsed(0);
    }
    AppendData(bytes.data(), static_cast<int32_t>(size));
    return true;
}

bool TMemoryObject::SaveToFile(const char16_t* path) const {
    return path &&
           fileio::WriteWholeFile(plat::text::WideToAnsi(path).c_str(), Data, static_cast<size_t>(Used));
}

bool TMemoryObject::SaveToFileA(const char* path) const {
    return path && fileio::WriteWholeFile(path, Data, static_cast<size_t>(Used));
}

TMemoryObject& TMemoryObject::Assign(const TMemoryObject& other) {
    if (&other != this) {
        Reset();
        AppendData(other.Data, other.Used);
    }
    return *this;
}
