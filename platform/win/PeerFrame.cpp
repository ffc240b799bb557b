#include "platform/win/PeerFrame.h"

#include <cstring>

namespace plat::win {

bool PeerFrame::MayCross(UINT msg, bool post) {
    if (msg == WM_COPYDATA) {
        return !post;
    }
    return msg == WM_NULL || msg == WM_CLOSE || msg >= WM_USER;
}

std::vector<std::uint8_t> PeerFrame::Encode(std::uint16_t type, UINT msg, WPARAM wParam, LPARAM lParam,
                                            const COPYDATASTRUCT* copy) {
    PeerFrameHeader header{kMagic, kVersion, type, msg, 0, wParam, lParam, 0};
    std::span<const std::uint8_t> data;
    if (msg == WM_COPYDATA && copy != nullptr) {
        header.lParam = 0;
        header.dwData = copy->dwData;
        header.cbData = copy->cbData;
        data = {static_cast<const std::uint8_t*>(copy->lpData), copy->lpData ? copy->cbData : 0u};
        header.cbData = static_cast<std::uint32_t>(data.size());
    }
    std::vector<std::uint8_t> packet(sizeof header + data.size());
    std::memcpy(packet.data(), &header, sizeof header);
    if (!data.empty()) {
        std::memcpy(packet.data() + sizeof header, data.data(), data.size());
    }
    return packet;
}

std::vector<std::uint8_t> PeerFrame::EncodeReply(LRESULT result) {
    const PeerReply reply{kMagic, kVersion, kReply, static_cast<std::int64_t>(result)};
    std::vector<std::uint8_t> packet(sizeof reply);
    std::memcpy(packet.data(), &reply, sizeof reply);
    return packet;
}

std::optional<PeerFrame::Request> PeerFrame::Decode(std::span<const std::uint8_t> packet) {
    if (packet.size() < sizeof(PeerFrameHeader) || packet.size() > kMaxPacket) {
        return std::nullopt;
    }
    PeerFrameHeader header{};
    std::memcpy(&header, packet.data(), sizeof header);
    const std::size_t dataSize = packet.size() - sizeof header;
    if (header.magic != kMagic || header.version != kVersion ||
        (header.type != kSend && header.type != kPost) || header.cbData != dataSize ||
        !MayCross(header.msg, header.type == kPost) || (header.msg != WM_COPYDATA && dataSize != 0)) {
        return std::nullopt;
    }
    return Request{header.type,   header.msg,    header.wParam,
                   header.lParam, header.dwData, packet.subspan(sizeof header)};
}

std::optional<LRESULT> PeerFrame::DecodeReply(std::span<const std::uint8_t> packet) {
    PeerReply reply{};
    if (packet.size() != sizeof reply) {
        return std::nullopt;
    }
    std::memcpy(&reply, packet.data(), sizeof reply);
    if (reply.magic != kMagic || reply.version != kVersion || reply.type != kReply) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(reply.result);
}

} // namespace plat::win
