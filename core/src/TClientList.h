#pragma once
// The clients of one player instance, in registration order. Each client keeps the flag bits 0-8 of
// its registration mask; bit 0 routes message-text records to it, bit 1 the posted messages, bit 2 the
// status and stream records (VokradNotifications.h). Clients are never removed one by one.
#include "platform/win/Types.h"

#include <cstdint>
#include <span>
#include <vector>

class TClientList {
public:
    struct TClient {
        plat::win::HWND handle; // the value given at registration
        plat::win::HWND window; // where messages and records go
        std::uint16_t flags;    // bits 0-8 of the mask

        bool Has(std::uint32_t flag) const { return (flags & flag) != 0; }
        void Post(plat::win::UINT msg, plat::win::WPARAM wParam, plat::win::LPARAM lParam) const;
    };

    // Appends a client; answers 1.
    int Register(plat::win::HWND handle, plat::win::HWND window, std::uint32_t mask);

    // Calls `run` for every client whose flags have `flag`, in registration order.
    template <class Run> void ForEachWith(std::uint32_t flag, Run run) const {
        for (const TClient& client : clients_) {
            if (client.Has(flag)) {
                run(client);
            }
        }
    }

    // Posts a message to every client that receives posted messages.
    void Post(plat::win::UINT msg, plat::win::WPARAM wParam, plat::win::LPARAM lParam) const;

    // Sends a record as WM_COPYDATA (dwData 0) to every client whose flags have `flag`; each client
    // has handled it when this returns.
    void SendRecord(std::uint32_t flag, std::span<const std::byte> record) const;

    const std::vector<TClient>& Clients() const { return clients_; }

private:
    std::vector<TClient> clients_;
};
