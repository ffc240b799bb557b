#include "core/src/TClientList.h"

#include "core/include/VokradNotifications.h"
#include "platform/win/Message.h"

namespace win = plat::win;

void TClientList::TClient::Post(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) const {
    win::PostMessage(window, msg, wParam, lParam);
}

int TClientList::Register(win::HWND handle, win::HWND window, std::uint32_t mask) {
    constexpr std::uint32_t kStored = (1u << kClientFlagBits) - 1;
    clients_.push_back({handle, window, static_cast<std::uint16_t>(mask & kStored)});
    return 1;
}

void TClientList::Post(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) const {
    ForEachWith(kClientEvents, [&](const TClient& client) { client.Post(msg, wParam, lParam); });
}

void TClientList::SendRecord(std::uint32_t flag, std::span<const std::byte> record) const {
    const win::COPYDATASTRUCT data{0, static_cast<win::DWORD>(record.size()), record.data()};
    ForEachWith(flag, [&](const TClient& client) {
        win::SendMessage(client.window, win::WM_COPYDATA, 0, reinterpret_cast<win::LPARAM>(&data));
    });
}
