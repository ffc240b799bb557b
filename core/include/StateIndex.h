#pragma once
// The bookmark index stream "Info" of a per-disc storage file and the names of its saved states. The
// client writes the whole index; the core appends one slot when it saves an indexed state. Packed and
// little-endian.
#include <cstddef>
#include <cstdint>

// The index stream and the client's resume state.
inline constexpr char16_t kStateIndexStream[] = u"Info";
inline constexpr char16_t kResumeStateStream[] = u"SAVEFORRESUME";

// The index has room for 70 slots; neither the client nor the core adds a bookmark to an index that
// already holds 69 or more, so that a refused addition never leaves a state stream without a slot.
inline constexpr std::size_t kStateIndexSlots = 70;
inline constexpr std::size_t kStateIndexAddLimit = 69;

// Byte 372 holds the start-up bookmark as this flag or'ed with its 0-based index; 0 for none.
inline constexpr std::uint8_t kStartupBookmarkFlag = 0x80;

// Field sizes of a slot, terminators included.
inline constexpr std::size_t kStateIdentifierBytes = 6;
inline constexpr std::size_t kStateCaptionBytes = 75;

#pragma pack(push, 1)

struct TStateIndexSlot {
    char identifier[kStateIdentifierBytes]; // the state stream's name, ASCII
    char caption[kStateCaptionBytes];       // the display name, ANSI
    std::uint8_t title;
    std::uint8_t chapter;
    std::uint8_t reserved1;
    std::uint32_t time; // milliseconds in the title
    std::uint8_t flag1;
    std::uint8_t flag2;
    std::uint8_t reserved2[2];
};
static_assert(sizeof(TStateIndexSlot) == 92);

struct TStateIndex {
    std::uint8_t reserved1[360];
    std::uint8_t count;
    std::uint8_t reserved2[11];
    std::uint8_t startup;
    std::uint8_t reserved3[651];
    TStateIndexSlot entries[kStateIndexSlots];
};
static_assert(sizeof(TStateIndex) == 7464);
static_assert(offsetof(TStateIndex, count) == 360);
static_assert(offsetof(TStateIndex, startup) == 372);
static_assert(offsetof(TStateIndex, entries) == 1024);

#pragma pack(pop)
