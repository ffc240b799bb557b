#pragma once
// The packets that carry window messages between processes over a Unix socket. A request is a
// header followed, for WM_COPYDATA only, by the copied data; the answer to a sent message is a
// reply packet. Little-endian, as every record of the system.
#include "platform/win/Types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace plat::win {

struct PeerFrameHeader {
    std::uint32_t magic;
    std::uint16_t version;
    std::uint16_t type;
    std::uint32_t msg;
    std::uint32_t cbData;
    std::uint64_t wParam; // for WM_COPYDATA the sending window of the sender's process
    std::int64_t lParam;  // not sent for WM_COPYDATA
    std::uint64_t dwData;
};
static_assert(sizeof(PeerFrameHeader) == 40);

struct PeerReply {
    std::uint32_t magic;
    std::uint16_t version;
    std::uint16_t type;
    std::int64_t result;
};
static_assert(sizeof(PeerReply) == 16);

class PeerFrame {
public:
    static constexpr std::uint32_t kMagic = 0x534D5654; // "TVMS"
    static constexpr std::uint16_t kVersion = 1;
    static constexpr std::uint16_t kSend = 1;
    static constexpr std::uint16_t kPost = 2;
    static constexpr std::uint16_t kReply = 3;
    // Largest WM_COPYDATA block carried.
    static constexpr std::size_t kMaxData = 1u << 20;
    static constexpr std::size_t kMaxPacket = sizeof(PeerFrameHeader) + kMaxData;

    // Only messages whose parameters are plain values may cross: WM_NULL, WM_CLOSE, the private
    // messages from WM_USER up, and WM_COPYDATA (sent only), whose block travels with it.
    static bool MayCross(UINT msg, bool post);

    static std::vector<std::uint8_t> Encode(std::uint16_t type, UINT msg, WPARAM wParam, LPARAM lParam,
                                            const COPYDATASTRUCT* copy);
    static std::vector<std::uint8_t> EncodeReply(LRESULT result);

    struct Request {
        std::uint16_t type = 0;
        UINT msg = 0;
        std::uint64_t wParam = 0;
        std::int64_t lParam = 0;
        std::uint64_t dwData = 0;
        std::span<const std::uint8_t> data{}; // into the received packet
    };
    // Checks the packet whole before anything is read from it; nothing for a malformed packet.
    static std::optional<Request> Decode(std::span<const std::uint8_t> packet);
    static std::optional<LRESULT> DecodeReply(std::span<const std::uint8_t> packet);
};

} // namespace plat::win
