// Window class registration.
#include "platform/win/HandleTable.h"
#include "platform/win/Window.h"
#include "platform/win/WindowClassRegistry.h"

namespace plat::win {

bool RegisterClass(const WNDCLASS& wc) {
    return WindowClassRegistry::Instance().Register(wc);
}

bool GetClassInfo(std::string_view className, WNDCLASS* out) {
    const auto found = WindowClassRegistry::Instance().Find(className);
    if (found && out != nullptr) {
        *out = *found;
    }
    return found.has_value();
}

bool UnregisterClass(std::string_view className) {
    return WindowClassRegistry::Instance().Unregister(className, [](const std::string& registeredName) {
        return HandleTable::Instance().FindFirst(
                   [&](const WindowEntry& entry) { return entry.className == registeredName; }) != 0;
    });
}

} // namespace plat::win
