#include "core/src/TCoreInstance.h"

#include "core/include/VokradNotifications.h"

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
    if (instance->player != nullptr) {
        instance->player->Close();
        instance->player.reset();
    }
    instance->module.reset();
    instance->text.reset();
    return 0;
}

TCorePlayer* TCoreInstance::PlayerOf(TCoreInstance* instance) {
    if (instance == nullptr || !Records().Contains(instance)) {
        return nullptr;
    }
    return instance->player.get();
}
