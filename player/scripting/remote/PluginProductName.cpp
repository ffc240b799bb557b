#include "player/scripting/remote/PluginProductName.h"

#include "plugins/remote/include/TovPluginApi.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

constexpr std::size_t kMaxFileSize = 64u * 1024u * 1024u;
constexpr std::size_t kElfHeaderSize = 64;
constexpr std::size_t kSectionHeaderSize = 64;
constexpr std::size_t kSymbolSize = 24;
constexpr uint32_t kSectionDynSym = 11;
constexpr uint32_t kSectionNoBits = 8;

struct Section {
    uint32_t type = 0;
    uint64_t address = 0;
    uint64_t offset = 0;
    uint64_t size = 0;
    uint32_t link = 0;
};

// At most kMaxPluginProductName bytes, never ending inside a UTF-8 sequence.
std::string CutAtCharacter(std::string_view text) {
    if (text.size() <= kMaxPluginProductName) {
        return std::string(text);
    }
    std::size_t cut = kMaxPluginProductName;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return std::string(text.substr(0, cut));
}

template <typename T> bool ReadAt(std::string_view image, uint64_t offset, T& value) {
    if (offset > image.size() || image.size() - offset < sizeof(T)) {
        return false;
    }
    std::memcpy(&value, image.data() + offset, sizeof(T));
    return true;
}

bool Fits(std::string_view image, uint64_t offset, uint64_t size) {
    return offset <= image.size() && size <= image.size() - offset;
}

class ElfImage {
public:
    explicit ElfImage(std::string_view image) : image_(image) {}

    bool ReadHeader() {
        if (image_.size() < kElfHeaderSize ||
            image_.substr(0, 4) != "\x7f"
                                   "ELF" ||
            image_[4] != 2 || image_[5] != 1) {
            return false;
        }
        uint16_t entrySize = 0;
        return ReadAt(image_, 0x28, sectionsOffset_) && ReadAt(image_, 0x3A, entrySize) &&
               ReadAt(image_, 0x3C, sectionCount_) && entrySize == kSectionHeaderSize &&
               Fits(image_, sectionsOffset_, uint64_t{sectionCount_} * kSectionHeaderSize);
    }

    bool ReadSection(uint32_t index, Section& out) const {
        if (index >= sectionCount_) {
            return false;
        }
        const uint64_t at = sectionsOffset_ + uint64_t{index} * kSectionHeaderSize;
        return ReadAt(image_, at + 4, out.type) && ReadAt(image_, at + 16, out.address) &&
               ReadAt(image_, at + 24, out.offset) && ReadAt(image_, at + 32, out.size) &&
               ReadAt(image_, at + 40, out.link);
    }

    std::optional<std::string> FindProductName() const {
        for (uint32_t i = 0; i < sectionCount_; ++i) {
            Section symbols;
            if (ReadSection(i, symbols) && symbols.type == kSectionDynSym) {
                return FindIn(symbols);
            }
        }
        return std::nullopt;
    }

private:
    std::optional<std::string> FindIn(const Section& symbols) const {
        Section names;
        if (!ReadSection(symbols.link, names) || !Fits(image_, symbols.offset, symbols.size) ||
            !Fits(image_, names.offset, names.size)) {
            return std::nullopt;
        }
        const std::string_view nameTable = image_.substr(names.offset, names.size);
        const std::string_view wanted = tovplug_exports::kProductName;
        for (uint64_t at = symbols.offset; at + kSymbolSize <= symbols.offset + symbols.size;
             at += kSymbolSize) {
            uint32_t nameOffset = 0;
            uint16_t sectionIndex = 0;
            uint64_t value = 0;
            uint64_t size = 0;
            ReadAt(image_, at, nameOffset);
            ReadAt(image_, at + 6, sectionIndex);
            ReadAt(image_, at + 8, value);
            ReadAt(image_, at + 16, size);
            if (nameOffset < nameTable.size() && NameAt(nameTable, nameOffset) == wanted) {
                return TextOf(sectionIndex, value, size);
            }
        }
        return std::nullopt;
    }

    static std::string_view NameAt(std::string_view table, uint32_t offset) {
        const std::string_view rest = table.substr(offset);
        return rest.substr(0, rest.find('\0'));
    }

    std::optional<std::string> TextOf(uint16_t sectionIndex, uint64_t value, uint64_t size) const {
        Section holder;
        if (!ReadSection(sectionIndex, holder) || holder.type == kSectionNoBits || value < holder.address ||
            value - holder.address >= holder.size || !Fits(image_, holder.offset, holder.size)) {
            return std::nullopt;
        }
        const uint64_t inSection = value - holder.address;
        const uint64_t available = std::min(holder.size - inSection, size == 0 ? holder.size : size);
        const std::string_view bytes = image_.substr(holder.offset + inSection, available);
        const auto end = bytes.find('\0');
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        return CutAtCharacter(bytes.substr(0, end));
    }

    std::string_view image_;
    uint64_t sectionsOffset_ = 0;
    uint16_t sectionCount_ = 0;
};

} // namespace

std::optional<std::string> ParsePluginProductName(std::string_view image) {
    ElfImage elf(image);
    if (!elf.ReadHeader()) {
        return std::nullopt;
    }
    return elf.FindProductName();
}

std::optional<std::string> ReadPluginProductName(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    file.seekg(0, std::ios::end);
    const auto size = file.tellg();
    if (size <= 0 || static_cast<std::size_t>(size) > kMaxFileSize) {
        return std::nullopt;
    }
    std::string image(static_cast<std::size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(image.data(), size)) {
        return std::nullopt;
    }
    return ParsePluginProductName(image);
}
