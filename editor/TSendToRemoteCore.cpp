#include "editor/TSendToRemoteCore.h"

#include "editor/TEditorCommandFrame.h"
#include "platform/win/Message.h"
#include "platform/win/Peer.h"

#include <cstring>
#include <span>

namespace win = plat::win;

bool TSendToRemoteCore::Load(const char* folder) {
    LoadDetached(folder);
    return true;
}

TCoreInstance* TSendToRemoteCore::CreatePlayerInstance(win::HWND) {
    player_ = win::FindPeerWindow(kPlayerClass, kPlayerTitle);
    return reinterpret_cast<TCoreInstance*>(uintptr_t{1});
}

int32_t TSendToRemoteCore::FreePlayerInstance(TCoreInstance*, win::HWND) {
    return -1;
}

int32_t TSendToRemoteCore::SendOrder(TCoreInstance*, win::HWND, uint32_t order, void* record, void**) {
    const auto address = reinterpret_cast<uintptr_t>(record);
    if (address >= 1 && address <= kLowestRecordAddress) {
        return -1;
    }
    std::span<const uint8_t> bytes;
    if (record != nullptr) {
        uint32_t size = 0;
        std::memcpy(&size, static_cast<const uint8_t*>(record) + sizeof(uint32_t), sizeof size);
        if (size < 2 * sizeof(uint32_t) || size > kMaxRecordBytes) {
            return -1;
        }
        bytes = {static_cast<const uint8_t*>(record), size};
    }
    if (player_ == 0) {
        return 0;
    }
    const std::vector<uint8_t> frame = TEditorCommandFrame::BuildOrder(order, bytes);
    const win::COPYDATASTRUCT copy{0, static_cast<win::DWORD>(frame.size()), frame.data()};
    return static_cast<int32_t>(
        win::SendMessage(player_, win::WM_COPYDATA, 0, reinterpret_cast<win::LPARAM>(&copy)));
}

int32_t TSendToRemoteCore::FreeData(void**) {
    return -1;
}
