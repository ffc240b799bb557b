#include "player/model/tests/TCorePlayerBinding.h"

#include "core/src/TCorePlayer.h"

#include <cstdlib>

TCoreInstance* TCorePlayerBinding::CreatePlayerInstance(plat::win::HWND) {
    return reinterpret_cast<TCoreInstance*>(&player_);
}

int32_t TCorePlayerBinding::SendOrder(TCoreInstance*, plat::win::HWND, uint32_t order, void* record,
                                      void** out) {
    return player_.SendOrder(order, record, out);
}

int32_t TCorePlayerBinding::FreeData(void** block) {
    if (block == nullptr || *block == nullptr) {
        return -1;
    }
    std::free(*block);
    *block = nullptr;
    return 0;
}
