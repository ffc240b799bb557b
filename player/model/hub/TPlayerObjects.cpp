#include "player/model/hub/TPlayerObjects.h"

#include "player/model/binding/PlayerGlobals.h"

TPlayerObjects::TPlayerObjects(TPlayerObjects* parent) : parent_(parent != nullptr ? parent : this) {}

TPlayerObjects::~TPlayerObjects() {
    FreeInstance();
}

int32_t TPlayerObjects::CreateInstance(plat::win::HWND clientWindow) {
    FreeInstance();
    clientWindow_ = clientWindow;
    TSendToCore* binding = SendToCore();
    if (binding == nullptr) {
        return -1;
    }
    instance_ = binding->CreatePlayerInstance(clientWindow);
    return instance_ != nullptr ? 0 : -1;
}

int32_t TPlayerObjects::FreeInstance() {
    TSendToCore* binding = SendToCore();
    if (binding == nullptr || instance_ == nullptr) {
        return -1;
    }
    binding->FreePlayerInstance(instance_, clientWindow_);
    instance_ = nullptr;
    return 0;
}

int32_t TPlayerObjects::SendOrder(uint32_t order, void* record, void** out) {
    if (instance_ != nullptr) {
        TSendToCore* binding = SendToCore();
        return binding != nullptr ? binding->SendOrder(instance_, clientWindow_, order, record, out) : -1;
    }
    return parent_ != this ? parent_->SendOrder(order, record, out) : -1;
}

int32_t TPlayerObjects::FreeData(void** block) {
    if (instance_ != nullptr) {
        TSendToCore* binding = SendToCore();
        return binding != nullptr ? binding->FreeData(block) : -1;
    }
    return parent_ != this ? parent_->FreeData(block) : -1;
}
