#pragma once
// One record of a zip archive's entry directory, as the directory keeps it (300 bytes,
// little-endian). Names are UTF-8 (the ANSI code page) with '/' between folders.
#include <cstddef>
#include <cstdint>

// A Windows file time: 100-nanosecond ticks since 1601-01-01 UTC, split in two 32-bit halves.
struct TFileTime {
    uint32_t Low;
    uint32_t High;
};

struct TZipEntry {
    static constexpr int kNameSize = 260;

    int32_t Index;
    char Name[kNameSize];
    uint32_t Attributes;
    TFileTime LastAccessTime;
    TFileTime CreationTime;
    TFileTime LastWriteTime;
    uint32_t CompressedSize;
    uint32_t UncompressedSize;
};

static_assert(sizeof(TZipEntry) == 300, "the entry record is 300 bytes");
static_assert(offsetof(TZipEntry, Attributes) == 264 && offsetof(TZipEntry, LastAccessTime) == 268 &&
              offsetof(TZipEntry, CreationTime) == 276 && offsetof(TZipEntry, LastWriteTime) == 284 &&
              offsetof(TZipEntry, CompressedSize) == 292 && offsetof(TZipEntry, UncompressedSize) == 296);

// Windows file attributes the records carry.
namespace zipattr {
constexpr uint32_t kReadOnly = 0x01;
constexpr uint32_t kHidden = 0x02;
constexpr uint32_t kSystem = 0x04;
constexpr uint32_t kDirectory = 0x10;
constexpr uint32_t kArchive = 0x20;
constexpr uint32_t kNormal = 0x80;
} // namespace zipattr
