#include "platform/win/WindowClassRegistry.h"

#include "platform/text/CaseFold.h"

namespace plat::win {

WindowClassRegistry& WindowClassRegistry::Instance() {
    static auto* const registry = new WindowClassRegistry;
    return *registry;
}

std::string WindowClassRegistry::Key(std::string_view name) {
    return text::FoldCaseA(name);
}

bool WindowClassRegistry::Register(const WNDCLASS& wc) {
    if (wc.lpszClassName.empty() || wc.lpfnWndProc == nullptr) {
        return false;
    }
    std::lock_guard lock(mutex_);
    return classes_.emplace(Key(wc.lpszClassName), wc).second;
}

std::optional<WNDCLASS> WindowClassRegistry::Find(std::string_view name) const {
    std::optional<WNDCLASS> found;
    WithClass(name, [&](const WNDCLASS& wc) { found = wc; });
    return found;
}

bool WindowClassRegistry::Unregister(std::string_view name,
                                     const std::function<bool(const std::string&)>& inUse) {
    std::lock_guard lock(mutex_);
    const auto it = classes_.find(Key(name));
    if (it == classes_.end() || inUse(it->second.lpszClassName)) {
        return false;
    }
    classes_.erase(it);
    return true;
}

} // namespace plat::win
