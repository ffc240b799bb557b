#pragma once
// The core's part of a storage file's bookmark index (the stream "Info", 7464 bytes): the entry count
// at byte 360 and the fields of a new 92-byte entry from byte 1024 on. Every other byte is the
// client's and is written back as it was read.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TStateIndex {
public:
    static constexpr const char16_t* kStreamName = u"Info";
    static constexpr std::size_t kBytes = 7464;
    static constexpr std::size_t kCountOffset = 360;
    static constexpr std::size_t kEntriesOffset = 1024;
    static constexpr std::size_t kEntryBytes = 92;
    // Fields of an entry.
    static constexpr std::size_t kNameOffset = 0;
    static constexpr std::size_t kNameBytes = 6; // with its terminating zero
    static constexpr std::size_t kCaptionOffset = 6;
    static constexpr std::size_t kCaptionBytes = 75; // with its terminating zero
    static constexpr std::size_t kTitleOffset = 81;
    static constexpr std::size_t kChapterOffset = 82;
    static constexpr std::size_t kTimeOffset = 84;
    static constexpr std::size_t kFlag1Offset = 88;

    struct TEntry {
        std::string streamName; // 8-bit
        std::string caption;    // 8-bit
        std::uint8_t title = 0;
        std::uint8_t chapter = 0;
        std::uint32_t milliseconds = 0;
    };

    // The index read from a stream: a shorter stream leaves the rest zero, bytes beyond the index are
    // not part of it.
    explicit TStateIndex(std::string_view stream = {});

    std::uint8_t Count() const { return static_cast<std::uint8_t>(bytes_[kCountOffset]); }
    // Whether one more entry may be added (see kDvdStateIndexLimit).
    bool HasRoom() const;
    // Whether the texts fit their fields with a terminating zero.
    static bool Fits(const TEntry& entry);
    // Appends the entry and counts it; false, with nothing changed, when there is no room or a text
    // does not fit.
    bool Add(const TEntry& entry);

    std::string_view Bytes() const { return {bytes_.data(), bytes_.size()}; }

private:
    std::array<char, kBytes> bytes_{};
};
