#include "platform/dvd/DvdStateRecord.h"

#include <algorithm>

namespace plat::dvd {

namespace {

// Little-endian writing and reading of the record's fields.
class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    void Put(std::uint64_t value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    }

private:
    std::vector<std::uint8_t>& bytes_;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    // Callers checked the size first.
    std::uint64_t Get(std::size_t size) {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= static_cast<std::uint64_t>(bytes_[at_ + i]) << (8 * i);
        }
        at_ += size;
        return value;
    }
    void Skip(std::size_t size) { at_ += size; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

std::optional<DvdState> Refuse(std::string* why, const char* reason) {
    if (why != nullptr) {
        *why = reason;
    }
    return std::nullopt;
}

const char* OutOfRange(const DvdState& state) {
    if (state.title < 1 || state.title > DvdStateRecord::kMaxTitle) {
        return "title out of range";
    }
    if (state.chapter < 1 || state.chapter > DvdStateRecord::kMaxChapter) {
        return "chapter out of range";
    }
    if (state.ticks > DvdStateRecord::kMaxTicks) {
        return "time out of range";
    }
    if (state.audio > DvdStateRecord::kMaxAudio && state.audio != DvdState::kNoAudio) {
        return "audio stream out of range";
    }
    if (state.subpicture > DvdStateRecord::kMaxSubpicture) {
        return "subpicture stream out of range";
    }
    if (state.angle < 1 || state.angle > DvdStateRecord::kMaxAngle) {
        return "angle out of range";
    }
    return nullptr;
}

} // namespace

std::vector<std::uint8_t> DvdStateRecord::Encode(const DvdState& state) {
    std::vector<std::uint8_t> bytes(kClassId.begin(), kClassId.end());
    bytes.reserve(kRecordBytes);
    Writer out(bytes);
    out.Put(kVersion, 2);
    out.Put(kBodyBytes, 2);
    out.Put(state.title, 2);
    out.Put(state.chapter, 2);
    out.Put(state.block, 4);
    out.Put(state.ticks, 8);
    out.Put(state.audio, 1);
    out.Put(state.subpicture, 1);
    out.Put(state.subpictureShown ? 1 : 0, 1);
    out.Put(state.angle, 1);
    return bytes;
}

std::optional<DvdState> DvdStateRecord::Decode(std::span<const std::uint8_t> bytes, std::string* why) {
    if (bytes.size() < kHeaderBytes) {
        return Refuse(why, "record too short");
    }
    if (!std::equal(kClassId.begin(), kClassId.end(), bytes.begin())) {
        return Refuse(why, "not a DVD state record");
    }
    Reader in(bytes);
    in.Skip(kClassId.size());
    if (in.Get(2) != kVersion) {
        return Refuse(why, "unknown record version");
    }
    if (in.Get(2) != kBodyBytes || bytes.size() != kRecordBytes) {
        return Refuse(why, "record size does not match its version");
    }
    DvdState state;
    state.title = static_cast<std::uint16_t>(in.Get(2));
    state.chapter = static_cast<std::uint16_t>(in.Get(2));
    state.block = static_cast<std::uint32_t>(in.Get(4));
    state.ticks = in.Get(8);
    state.audio = static_cast<std::uint8_t>(in.Get(1));
    state.subpicture = static_cast<std::uint8_t>(in.Get(1));
    const auto shown = in.Get(1);
    state.angle = static_cast<std::uint8_t>(in.Get(1));
    if (shown > 1) {
        return Refuse(why, "subpicture display flag out of range");
    }
    state.subpictureShown = shown == 1;
    if (const char* reason = OutOfRange(state)) {
        return Refuse(why, reason);
    }
    return state;
}

} // namespace plat::dvd
