#pragma once
// The core's debug log: one process-wide file that any thread may write to. Every write formats the
// message (at most 2047 bytes of UTF-8, cut at a character boundary), opens the file for appending,
// writes the text as it is and closes the file again, all under the log's lock. Nothing happens
// without a path or while writing is disabled; a null format deletes the file.
#include "platform/text/Format.h"

#include <array>
#include <cstddef>
#include <mutex>
#include <span>
#include <string>

class TCoreLogFile {
public:
    // The bytes a message may take.
    static constexpr std::size_t kMaxMessageBytes = 2047;

    TCoreLogFile();

    // The library's log.
    static TCoreLogFile& Instance();

    // The file to write to; null forgets the path.
    void SetPath(const char16_t* widePath);
    void SetEnabled(bool enabled);

    template <class... Args> void WriteWide(plat::text::WFormatString<Args...> format, const Args&... args) {
        const std::array<plat::text::FormatArg, sizeof...(Args)> captured{plat::text::MakeArg(args)...};
        Write(format.get(), captured);
    }

    template <class... Args>
    void WriteNarrow(plat::text::NFormatString<Args...> format, const Args&... args) {
        const std::array<plat::text::FormatArg, sizeof...(Args)> captured{plat::text::MakeArg(args)...};
        Write(format.get(), captured);
    }

    // The null format: deletes the file.
    void WriteWide(std::nullptr_t);
    void WriteNarrow(std::nullptr_t);

private:
    void Write(const char16_t* format, std::span<const plat::text::FormatArg> args);
    void Write(const char* format, std::span<const plat::text::FormatArg> args);
    // Under the lock: deletes the file for a null format, else appends what `render` makes of it.
    template <class Char, class Render> void WriteLocked(const Char* format, Render render);

    std::mutex mutex_; // guards the path, the flag and the file
    std::u16string path_;
    bool enabled_ = false;
};
