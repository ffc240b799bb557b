#include "core/src/TCoreInstance.h"

#include "core/include/VokradNotifications.h"
#include "platform/win/Debug.h"

#include <mutex>
#include <unordered_map>

namespace {

// Every instance record the library made, owned until the library is unloaded.
class TInstanceRecords {
public:
    TCoreInstance* Add(std::unique_ptr<TCoreInstance> record) {
        TCoreInstance* handle = record.get();
        const std::lock_guard lock(mutex_);
        records_.emplace(handle, std::move(record));
        return handle;
    }

    bool Contains(const TCoreInstance* handle) {
        const std::lock_guard lock(mutex_);
        return records_.contains(handle);
    }

private:
    std::mutex mutex_;
    std::unordered_map<const TCoreInstance*, std::unique_ptr<TCoreInstance>> records_;
};

TInstanceRecords& Records() {
    static TInstanceRecords records;
    return records;
}

} // namespace

TCoreInstance* TCoreInstance::Create(plat::win::HWND hostWindow, const char* text) {
    if (text == nullptr) {
        return nullptr;
    }
    auto record = std::make_unique<TCoreInstance>();
    record->moduleHandle = TCoreModule::LibraryHandle();
    record->module = std::make_unique<TCoreModule>(nullptr);
    record->module->Init(record->moduleHandle);
    record->hostWindow = hostWindow;
    record->player = std::make_unique<TCorePlayer>(record->module.get());
    record->player->PlayStart();
    record->player->RegisterClient(hostWindow, hostWindow, kHostClientMask);
    record->text = text;
    return Records().Add(std::move(record));
}

int TCoreInstance::Free(TCoreInstance* instance) {
    if (instance == nullptr || !Records().Contains(instance)) {
        return -1;
    }
    switch (instance->gate.BeginFree()) {
    case TOrderGate::TFree::Now:
        instance->ReleasePlayer();
        return 0;
    case TOrderGate::TFree::Deferred:
    case TOrderGate::TFree::Begun:
        return 0;
    case TOrderGate::TFree::Refused:
        return -1;
    }
    return -1;
}

int TCoreInstance::SendOrder(TCoreInstance* instance, std::uint32_t order, void* record, void** out) {
    if (instance == nullptr || !Records().Contains(instance) || !instance->gate.Enter()) {
        return -1;
    }
    // The order leaves the gate however it ends. A free asked for inside it is carried out as the
    // thread's outermost order leaves; its failure cannot change the order's answer.
    struct TPassage {
        TCoreInstance& instance;
        ~TPassage() {
            if (instance.gate.Leave()) {
                try {
                    instance.gate.AwaitOrders();
                    instance.ReleasePlayer();
                } catch (...) {
                    plat::win::OutputDebugString("FREE: The player could not be released");
                }
            }
        }
    } passage{*instance};
    return instance->player->SendOrder(order, record, out);
}

void TCoreInstance::ReleasePlayer() {
    player->Close();
    player.reset();
    module.reset();
    text.reset();
}

TCorePlayer* TCoreInstance::PlayerOf(TCoreInstance* instance) {
    if (instance == nullptr || !Records().Contains(instance)) {
        return nullptr;
    }
    return instance->player.get();
}
