#include "core/src/graph/TGraphRecord.h"

#include <algorithm>
#include <array>

namespace {

// "TVRGRAF\0", the version, then the length of the body that follows the header.
constexpr std::array<std::uint8_t, 8> kMagic{'T', 'V', 'R', 'G', 'R', 'A', 'F', 0};
constexpr std::size_t kHeaderSize = kMagic.size() + 2 + 4;
// The fewest bytes a filter (class id, empty identifier, no source) and a link (four empty texts) take.
constexpr std::size_t kMinFilterSize = 16 + 4 + 1;
constexpr std::size_t kMinLinkSize = 4 * 4;

class Writer {
public:
    void Bytes(std::span<const std::uint8_t> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
    void U8(std::uint8_t value) { out_.push_back(value); }
    void U16(std::uint16_t value) { Unsigned(value, 2); }
    void U32(std::uint32_t value) { Unsigned(value, 4); }
    void Text(const std::string& text) {
        U32(static_cast<std::uint32_t>(text.size()));
        out_.insert(out_.end(), text.begin(), text.end());
    }
    // Writes the body's length into the header once the body is written.
    void PatchU32(std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) {
            out_[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
    std::vector<std::uint8_t>& Out() { return out_; }

private:
    void Unsigned(std::uint32_t value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    }
    std::vector<std::uint8_t> out_;
};

// Reads little-endian values; every read checks the bytes left first and fails the reader for good.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Ok() const { return ok_; }
    void Fail() { ok_ = false; }
    std::size_t Left() const { return ok_ ? bytes_.size() - pos_ : 0; }
    std::span<const std::uint8_t> Take(std::size_t size) {
        if (size > Left()) {
            Fail();
            return {};
        }
        const std::span<const std::uint8_t> taken = bytes_.subspan(pos_, size);
        pos_ += size;
        return taken;
    }
    std::uint32_t Unsigned(std::size_t size) {
        const std::span<const std::uint8_t> taken = Take(size);
        std::uint32_t value = 0;
        for (std::size_t i = taken.size(); i > 0; --i) {
            value = (value << 8) | taken[i - 1];
        }
        return value;
    }
    std::string Text() {
        const std::uint32_t size = Unsigned(4);
        if (size > TGraphRecord::kMaxText) {
            Fail();
        }
        const std::span<const std::uint8_t> taken = Take(size);
        return std::string(taken.begin(), taken.end());
    }
    // A count, refused when it is above the limit or more items than the bytes left could hold.
    std::uint32_t Count(std::uint32_t limit, std::size_t minItemSize) {
        const std::uint32_t count = Unsigned(4);
        if (count > limit || count > Left() / minItemSize) {
            Fail();
            return 0;
        }
        return count;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

void WriteFilter(Writer& writer, const TGraphRecord::Filter& filter) {
    writer.Bytes(filter.classId.Bytes());
    writer.Text(filter.identifier);
    writer.U8(filter.sourceFile ? 1 : 0);
    if (filter.sourceFile) {
        writer.Text(*filter.sourceFile);
    }
}

void WriteLink(Writer& writer, const TGraphRecord::Link& link) {
    writer.Text(link.outputFilter);
    writer.Text(link.outputPin);
    writer.Text(link.inputFilter);
    writer.Text(link.inputPin);
}

TGraphRecord::Filter ReadFilter(Reader& reader) {
    TGraphRecord::Filter filter;
    std::array<std::uint8_t, 16> classBytes{};
    const std::span<const std::uint8_t> taken = reader.Take(classBytes.size());
    std::copy(taken.begin(), taken.end(), classBytes.begin());
    filter.classId = plat::media::Guid(classBytes);
    filter.identifier = reader.Text();
    const std::uint32_t hasSource = reader.Unsigned(1);
    if (hasSource > 1) {
        reader.Fail();
    } else if (hasSource == 1) {
        filter.sourceFile = reader.Text();
    }
    return filter;
}

TGraphRecord::Link ReadLink(Reader& reader) {
    TGraphRecord::Link link;
    link.outputFilter = reader.Text();
    link.outputPin = reader.Text();
    link.inputFilter = reader.Text();
    link.inputPin = reader.Text();
    return link;
}

bool HeaderFits(Reader& reader) {
    const std::span<const std::uint8_t> magic = reader.Take(kMagic.size());
    const bool known = reader.Ok() && std::equal(magic.begin(), magic.end(), kMagic.begin());
    const std::uint32_t version = reader.Unsigned(2);
    const std::uint32_t bodySize = reader.Unsigned(4);
    return known && reader.Ok() && version == TGraphRecord::kVersion && bodySize == reader.Left();
}

} // namespace

std::vector<std::uint8_t> TGraphRecord::Encode() const {
    Writer writer;
    writer.Bytes(kMagic);
    writer.U16(kVersion);
    writer.U32(0);
    writer.U32(static_cast<std::uint32_t>(filters.size()));
    for (const Filter& filter : filters) {
        WriteFilter(writer, filter);
    }
    writer.U32(static_cast<std::uint32_t>(links.size()));
    for (const Link& link : links) {
        WriteLink(writer, link);
    }
    writer.PatchU32(kHeaderSize - 4, static_cast<std::uint32_t>(writer.Out().size() - kHeaderSize));
    return std::move(writer.Out());
}

std::optional<TGraphRecord> TGraphRecord::Decode(std::span<const std::uint8_t> bytes) {
    Reader reader(bytes);
    if (!HeaderFits(reader)) {
        return std::nullopt;
    }
    TGraphRecord record;
    const std::uint32_t filterCount = reader.Count(kMaxFilters, kMinFilterSize);
    for (std::uint32_t i = 0; i < filterCount && reader.Ok(); ++i) {
        record.filters.push_back(ReadFilter(reader));
    }
    const std::uint32_t linkCount = reader.Count(kMaxLinks, kMinLinkSize);
    for (std::uint32_t i = 0; i < linkCount && reader.Ok(); ++i) {
        record.links.push_back(ReadLink(reader));
    }
    if (!reader.Ok() || reader.Left() != 0) {
        return std::nullopt;
    }
    return record;
}
