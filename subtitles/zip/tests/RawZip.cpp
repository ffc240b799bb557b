#include "subtitles/zip/tests/RawZip.h"

#include <zlib.h>

namespace {

void Put16(std::string& out, uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

constexpr uint32_t kDosTime = (12u << 11) | (30u << 5);                 // 12:30:00
constexpr uint32_t kDosDate = ((2024u - 1980u) << 9) | (5u << 5) | 17u; // 2024-05-17

} // namespace

std::string Deflate(const std::string& bytes) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, bytes.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

RawZipLayout BuildRawZip(const std::vector<RawZipEntry>& entries, std::optional<uint16_t> declaredCount) {
    RawZipLayout layout;
    std::string directory;
    for (const RawZipEntry& entry : entries) {
        const std::string data = entry.Method == 8 ? Deflate(entry.Content) : entry.Content;
        const uint32_t crc = entry.Crc.value_or(
            static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(entry.Content.data()),
                                        static_cast<uInt>(entry.Content.size()))));
        const uint32_t size = entry.DeclaredSize.value_or(static_cast<uint32_t>(entry.Content.size()));
        const uint32_t compressed = entry.DeclaredCompressedSize.value_or(static_cast<uint32_t>(data.size()));
        const uint32_t offset = static_cast<uint32_t>(layout.Bytes.size());

        std::string& local = layout.Bytes;
        Put32(local, 0x04034b50);
        Put16(local, 20);
        Put16(local, entry.Flags);
        Put16(local, entry.Method);
        Put16(local, kDosTime);
        Put16(local, kDosDate);
        Put32(local, crc);
        Put32(local, compressed);
        Put32(local, size);
        Put16(local, static_cast<uint32_t>(entry.Name.size()));
        Put16(local, 0);
        local += entry.Name;
        local += data;

        Put32(directory, 0x02014b50);
        Put16(directory, entry.VersionMadeBy);
        Put16(directory, 20);
        Put16(directory, entry.Flags);
        Put16(directory, entry.Method);
        Put16(directory, kDosTime);
        Put16(directory, kDosDate);
        Put32(directory, crc);
        Put32(directory, compressed);
        Put32(directory, size);
        Put16(directory, static_cast<uint32_t>(entry.Name.size()));
        Put16(directory, 0); // extra
        Put16(directory, 0); // comment
        Put16(directory, 0); // disk
        Put16(directory, 0); // internal attributes
        Put32(directory, entry.ExternalAttributes);
        Put32(directory, offset);
        directory += entry.Name;
    }
    layout.DirectoryOffset = layout.Bytes.size();
    layout.Bytes += directory;
    const uint16_t count = declaredCount.value_or(static_cast<uint16_t>(entries.size()));
    Put32(layout.Bytes, 0x06054b50);
    Put16(layout.Bytes, 0);
    Put16(layout.Bytes, 0);
    Put16(layout.Bytes, count);
    Put16(layout.Bytes, count);
    Put32(layout.Bytes, static_cast<uint32_t>(directory.size()));
    Put32(layout.Bytes, static_cast<uint32_t>(layout.DirectoryOffset));
    Put16(layout.Bytes, 0);
    return layout;
}
