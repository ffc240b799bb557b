#pragma once
// The real core binding, writing down each call the player makes of the core: "load", "start" is the
// library's own, "create", "order <n>", "free", "unload".
#include "player/model/binding/TSendToCore.h"

#include <string>
#include <vector>

class RecordingBinding : public TSendToCore {
public:
    explicit RecordingBinding(std::vector<std::string>& calls) : calls_(calls) {}

    bool Load(const char* folder) override {
        calls_.push_back("load");
        return TSendToCore::Load(folder);
    }
    void Unload() override {
        calls_.push_back("unload");
        TSendToCore::Unload();
    }
    TCoreInstance* CreatePlayerInstance(plat::win::HWND clientWindow) override {
        calls_.push_back("create");
        return TSendToCore::CreatePlayerInstance(clientWindow);
    }
    int32_t FreePlayerInstance(TCoreInstance* instance, plat::win::HWND clientWindow) override {
        calls_.push_back("free");
        return TSendToCore::FreePlayerInstance(instance, clientWindow);
    }
    int32_t SendOrder(TCoreInstance* instance, plat::win::HWND clientWindow, uint32_t order, void* record,
                      void** out) override {
        calls_.push_back("order " + std::to_string(order));
        return TSendToCore::SendOrder(instance, clientWindow, order, record, out);
    }

private:
    std::vector<std::string>& calls_;
};
