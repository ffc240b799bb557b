#include "player/model/settings/AviFourCC.h"

#include "platform/text/CodePage.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::uint32_t Code(const char (&text)[5]) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

// A hostile file could hold millions of empty chunks; real headers hold a handful.
constexpr int kMaxChunksPerList = 4096;
constexpr std::uint64_t kChunkHeader = 8;

class RiffFile {
public:
    explicit RiffFile(const char* path) : fd_(::open(path, O_RDONLY | O_CLOEXEC)) {
        struct stat info {};
        if (fd_ >= 0 && ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode)) {
            size_ = static_cast<std::uint64_t>(info.st_size);
        }
    }
    ~RiffFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    RiffFile(const RiffFile&) = delete;
    RiffFile& operator=(const RiffFile&) = delete;

    std::uint64_t Size() const { return size_; }

    // Reads the 32-bit little-endian word at `offset`; false when it lies beyond `end`.
    bool ReadWord(std::uint64_t offset, std::uint64_t end, std::uint32_t& word) const {
        unsigned char bytes[4];
        if (offset + sizeof bytes > end || !ReadAt(offset, bytes, sizeof bytes)) {
            return false;
        }
        word = static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
               static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
        return true;
    }

private:
    bool ReadAt(std::uint64_t offset, unsigned char* bytes, std::size_t count) const {
        while (count > 0) {
            const ssize_t got = ::pread(fd_, bytes, count, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return false;
            }
            bytes += got;
            count -= static_cast<std::size_t>(got);
            offset += static_cast<std::uint64_t>(got);
        }
        return true;
    }

    int fd_;
    std::uint64_t size_ = 0;
};

// A chunk's code and where its data lies; the data of a list starts with the list's type.
struct Chunk {
    std::uint32_t id = 0;
    std::uint64_t data = 0;
    std::uint64_t end = 0; // the data's end, cut to the enclosing list's end
};

// Calls `visit` for each chunk between `begin` and `end` until it answers false. Chunks are padded
// to an even size.
void ForEachChunk(const RiffFile& file, std::uint64_t begin, std::uint64_t end,
                  const std::function<bool(const Chunk&)>& visit) {
    std::uint64_t position = begin;
    for (int count = 0; count < kMaxChunksPerList && position + kChunkHeader <= end; ++count) {
        std::uint32_t id = 0;
        std::uint32_t size = 0;
        if (!file.ReadWord(position, end, id) || !file.ReadWord(position + 4, end, size)) {
            return;
        }
        const std::uint64_t data = position + kChunkHeader;
        const Chunk chunk{id, data, std::min<std::uint64_t>(data + size, end)};
        if (!visit(chunk)) {
            return;
        }
        position = data + size + (size & 1u);
    }
}

// The list's type, 0 when the chunk is not a list or too short to hold one.
std::uint32_t ListType(const RiffFile& file, const Chunk& chunk) {
    std::uint32_t type = 0;
    if (chunk.id != Code("LIST") || !file.ReadWord(chunk.data, chunk.end, type)) {
        return 0;
    }
    return type;
}

// Takes the stream type and handler from the "strh" chunk that opens a "strl" list.
void ReadStreamHeader(const RiffFile& file, const Chunk& streamList, std::uint32_t& video, std::uint32_t& audio,
                      bool& found) {
    const std::uint64_t header = streamList.data + 4;
    std::uint32_t id = 0;
    std::uint32_t type = 0;
    std::uint32_t handler = 0;
    if (!file.ReadWord(header, streamList.end, id) || id != Code("strh") ||
        !file.ReadWord(header + 8, streamList.end, type) || !file.ReadWord(header + 12, streamList.end, handler)) {
        return;
    }
    if (type == Code("vids")) {
        video = handler;
        found = true;
    } else if (type == Code("auds")) {
        audio = handler;
        found = true;
    }
}

} // namespace

bool ReadAviFourCC(const char16_t* fileName, std::uint32_t& video, std::uint32_t& audio) {
    video = 0;
    audio = 0;
    if (!fileName) {
        return false;
    }
    const RiffFile file(plat::text::WideToAnsi(fileName).c_str());
    std::uint32_t riff = 0;
    std::uint32_t riffSize = 0;
    std::uint32_t form = 0;
    if (!file.ReadWord(0, file.Size(), riff) || riff != Code("RIFF") || !file.ReadWord(4, file.Size(), riffSize) ||
        !file.ReadWord(8, file.Size(), form) || form != Code("AVI ")) {
        return false;
    }
    const std::uint64_t riffEnd = std::min<std::uint64_t>(kChunkHeader + riffSize, file.Size());
    bool found = false;
    ForEachChunk(file, 12, riffEnd, [&](const Chunk& top) {
        if (ListType(file, top) != Code("hdrl")) {
            return true;
        }
        ForEachChunk(file, top.data + 4, top.end, [&](const Chunk& inner) {
            if (ListType(file, inner) == Code("strl")) {
                ReadStreamHeader(file, inner, video, audio, found);
            }
            return true;
        });
        return false;
    });
    return found;
}

std::u16string FourCCToText(std::uint32_t fourCC) {
    std::u16string text(4, u' ');
    for (std::size_t index = 0; index < text.size(); ++index) {
        const auto byte = static_cast<unsigned char>(fourCC >> (8 * index));
        if (byte > 32 && byte != 127) {
            text[index] = static_cast<char16_t>(byte);
        }
    }
    return text;
}
