#pragma once
// Builds zip archives byte by byte, so that tests can make archives no zip tool would write: names
// leading outside a folder, sizes that lie, damaged checksums, unknown methods, short directories.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct RawZipEntry {
    std::string Name{};
    std::string Content{}; // the uncompressed content
    uint16_t Method = 8;   // 8: deflated here; any other: Content stored as it is under that method
    std::optional<uint32_t> DeclaredSize{};
    std::optional<uint32_t> DeclaredCompressedSize{};
    std::optional<uint32_t> Crc{};
    uint16_t Flags = 0;
    uint16_t VersionMadeBy = 20; // host 0 (DOS); (3 << 8) | 20 for Unix
    uint32_t ExternalAttributes = 0;
};

struct RawZipLayout {
    std::string Bytes;
    std::size_t DirectoryOffset = 0; // where the central directory starts
};

// The archive; `declaredCount` replaces the entry count of the end record.
RawZipLayout BuildRawZip(const std::vector<RawZipEntry>& entries, std::optional<uint16_t> declaredCount = {});

// Raw deflate (no zlib header) of the bytes, as zip entries hold them.
std::string Deflate(const std::string& bytes);
