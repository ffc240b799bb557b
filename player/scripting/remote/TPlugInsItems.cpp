#include "player/scripting/remote/TPlugInsItems.h"

#include "platform/win/Library.h"
#include "player/scripting/remote/PluginBaseName.h"
#include "player/scripting/remote/PluginProductName.h"

TPlugInsItems::~TPlugInsItems() {
    Unload();
}

bool TPlugInsItems::SetFile(TPlugIns* owner, const char* path) {
    if (path == nullptr) {
        return false;
    }
    owner_ = owner;
    path_ = path;
    baseName_ = PluginBaseName(path_);
    description_ = ReadPluginProductName(path_).value_or(std::string());
    return true;
}

bool TPlugInsItems::Load(int32_t argument) {
    Unload();
    if (module_ == nullptr) {
        module_ = plat::win::LoadLibrary(path_);
        if (module_ == nullptr) {
            return false;
        }
    }
    BindExports();
    if (start_ == nullptr || stop_ == nullptr) {
        FreeModule();
        return false;
    }
    start_(argument);
    loaded_ = true;
    return true;
}

bool TPlugInsItems::Unload() {
    loaded_ = false;
    bool stopped = false;
    if (setCallback_ != nullptr) {
        BindCallback(nullptr);
    }
    if (stop_ != nullptr) {
        stopped = stop_() != 0;
    }
    FreeModule();
    return stopped;
}

bool TPlugInsItems::BindCallback(TovPluginHostCallback callback) {
    window_ = 0;
    groupMask_ = 0;
    if (setCallback_ == nullptr) {
        return false;
    }
    const bool accepted = callback != nullptr ? setCallback_(this, callback, &window_, &groupMask_) != 0
                                              : setCallback_(nullptr, nullptr, nullptr, nullptr) != 0;
    if (callback == nullptr) {
        window_ = 0;
        groupMask_ = 0;
    }
    return accepted;
}

bool TPlugInsItems::ShowProperties(plat::win::HWND parent) {
    if (loaded_) {
        return showProperties_ != nullptr && showProperties_(parent, 0) != 0;
    }
    const bool heldBefore = module_ != nullptr;
    plat::win::HMODULE module = heldBefore ? module_ : plat::win::LoadLibrary(path_);
    if (module == nullptr) {
        return false;
    }
    const auto show = reinterpret_cast<TovPlugShowPropertiesFn>(
        plat::win::GetProcAddress(module, tovplug_exports::kShowProperties));
    const bool confirmed = show != nullptr && show(parent, 0) != 0;
    if (!heldBefore) {
        plat::win::FreeLibrary(module);
    }
    return confirmed;
}

void TPlugInsItems::BindExports() {
    start_ = reinterpret_cast<TovPlugStartFn>(plat::win::GetProcAddress(module_, tovplug_exports::kStart));
    stop_ = reinterpret_cast<TovPlugStopFn>(plat::win::GetProcAddress(module_, tovplug_exports::kStop));
    setCallback_ = reinterpret_cast<TovPlugSetCallbackFn>(
        plat::win::GetProcAddress(module_, tovplug_exports::kSetCallback));
    showProperties_ = reinterpret_cast<TovPlugShowPropertiesFn>(
        plat::win::GetProcAddress(module_, tovplug_exports::kShowProperties));
}

void TPlugInsItems::FreeModule() {
    if (module_ != nullptr) {
        plat::win::FreeLibrary(module_);
        module_ = nullptr;
    }
    start_ = nullptr;
    stop_ = nullptr;
    setCallback_ = nullptr;
    showProperties_ = nullptr;
}
