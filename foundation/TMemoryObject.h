#pragma once
// The system's growable byte buffer. It holds UTF-16 or 8-bit text as the caller decides: the UTF-16
// text is Text() (the data pointer), Used / 2 characters long. The content carries no terminator of
// its own; the conversions leave a zero character just past it and AppendNul appends a counted one.
// The UTF-16 operations expect an even used length (UTF-16 characters are written in place).
#include "platform/text/Format.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

class TMemoryObject {
public:
    // Code page argument of AppendMultiByte asking for detection.
    static constexpr uint32_t kDetectCodePage = 0xFFFFFFFF;

    // A block of `growStep` bytes (at least 1); the step is also the least amount the block grows by.
    explicit TMemoryObject(int32_t growStep);
    virtual ~TMemoryObject();
    TMemoryObject(const TMemoryObject&) = delete;
    TMemoryObject& operator=(const TMemoryObject&) = delete;

    // Replaces the block by a fresh one of grow-step size; the content is gone.
    void Reset();
    // Truncates or rewinds to `length` bytes without reallocating; false (unchanged) when the length
    // is negative or above the capacity.
    bool SetUsed(int32_t length);
    // Appends `count` bytes from `source`, or zero bytes when there is none, and answers where they
    // start (valid until the next growth); nullptr for a negative count. Throws std::length_error
    // when the block would pass 2 GB and std::bad_alloc when it cannot grow.
    char* AppendData(const void* source, int32_t count);
    // Appends the characters without their terminator; false for no text or an empty one.
    bool AppendString(const char16_t* text);
    // Appends `count` UTF-16 characters; false (nothing appended) for no characters or count <= 0.
    bool AppendChars(const char16_t* chars, int32_t count);
    // Appends one counted zero UTF-16 character and answers its address.
    char* AppendNul();

    // printf-style appends with the formatter's Windows rules ("%s" is UTF-16 in AppendFormat and
    // 8-bit in AppendFormatA). Formats from files are passed as plat::text::Runtime(fmt). False,
    // with nothing appended, only when the text cannot fit in a 2 GB block.
    template <class... Args> bool AppendFormat(plat::text::WFormatString<Args...> fmt, const Args&... args) {
        const std::array<plat::text::FormatArg, sizeof...(Args)> captured{plat::text::MakeArg(args)...};
        return AppendFormatV(fmt.get(), captured);
    }
    template <class... Args> bool AppendFormatA(plat::text::NFormatString<Args...> fmt, const Args&... args) {
        const std::array<plat::text::FormatArg, sizeof...(Args)> captured{plat::text::MakeArg(args)...};
        return AppendFormatAV(fmt.get(), captured);
    }
    bool AppendFormatV(const char16_t* fmt, std::span<const plat::text::FormatArg> args);
    bool AppendFormatAV(const char* fmt, std::span<const plat::text::FormatArg> args);

    // Appends the text with < > & always escaped, " unless keepQuotes, and / \ : * | as &slash;
    // &bkslash; &col; &ast; &bar; when extended. The A form works on 8-bit text in an 8-bit buffer.
    void AppendXmlEscaped(const char16_t* text, bool keepQuotes, bool extended);
    void AppendXmlEscapedA(const char* text, bool keepQuotes, bool extended);

    // Replaces the content by the file's text as UTF-16: after an FF FE mark (files longer than
    // 2 bytes) the UTF-16LE text, else with `detect` the whole file in its detected code page, else
    // the bytes up to the first zero byte as ANSI. True when the buffer is not empty afterwards; a
    // file that cannot be read leaves the content unchanged.
    bool LoadTextFile(const char16_t* path, bool detect);

    // Converts `count` bytes of a code page to UTF-16, replacing the content unless `append`. With
    // no code page or kDetectCodePage the code page is detected (and written back), falling back to
    // the ANSI page. False, with the content unchanged, for an unknown code page, a negative count or
    // a result too large for the buffer.
    bool AppendMultiByte(uint32_t* codePage, const char* bytes, int32_t count, bool append);
    // Converts an ANSI (UTF-8) C string; replaces the content unless `append`.
    void AppendAnsi(const char* text, bool append);
    // Converts UTF-16 text to the code page and appends the bytes without a terminator, replacing the
    // content unless `append`. False, with the content unchanged, for an unknown code page.
    bool AppendAsMultiByte(const char16_t* text, bool append, uint32_t codePage);

    // Writes the used bytes (no byte-order mark) in place of the file; true only when all of them
    // reached the file. On failure an existing file stays as it was.
    bool SaveToFile(const char16_t* path) const;
    bool SaveToFileA(const char* path) const;

    // Becomes a copy of the other buffer's content (nothing happens for itself).
    TMemoryObject& Assign(const TMemoryObject& other);

    const char16_t* Text() const { return reinterpret_cast<const char16_t*>(Data); }
    int32_t TextLength() const { return Used / 2; }

    int32_t GrowStep;
    int32_t Capacity;
    int32_t Used = 0;
    char* Data = nullptr;
    char* WritePos = nullptr; // always Data + Used

private:
    // Reallocates, keeping the content, when fewer than count + 11 bytes are free.
    void Grow(int32_t count);
    // True when `count` bytes after the content (kept or, without `keep`, dropped) stay below 2 GB.
    bool CanAppend(int64_t count, bool keep = true) const;
    // Detects the code page when asked, then converts and appends (see AppendMultiByte).
    bool Convert(uint32_t* codePage, std::string_view bytes, bool append);
    // Grows by the free space plus one step and restores the used length, for a formatter retry.
    bool GrowForRetry();
    template <class Char> void AppendEscaped(const Char* text, bool keepQuotes, bool extended);
};
