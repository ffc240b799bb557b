// The plug-in's exports: the player binds them by name.
#include "platform/serial/TtyModemLines.h"
#include "platform/win/Library.h"
#include "plugins/remote/include/TovPluginApi.h"
#include "plugins/remote/orvik/OrvikPlugin.h"
#include "plugins/remote/orvik/QtPluginMessages.h"
#include "plugins/remote/orvik/SystemSleepClock.h"

namespace {

orvik::OrvikPlugin& Plugin() {
    static orvik::SystemSleepClock clock;
    static orvik::OrvikPlugin plugin({
        std::make_shared<orvik::QtPluginMessages>(),
        &clock,
        [](int fd) { return std::make_unique<plat::serial::TtyModemLines>(fd); },
        [] { return plat::win::ModuleFileNameOf(reinterpret_cast<const void*>(&Plugin)); },
        "/sys",
    });
    return plugin;
}

} // namespace

TOVPLUG_EXPORT const char tovplug_ProductName[] = "IR-Man Remote Control";

TOVPLUG_EXPORT int32_t tovplug_Start(int32_t) {
    return Plugin().Start();
}

TOVPLUG_EXPORT int32_t tovplug_Stop() {
    return Plugin().Stop();
}

TOVPLUG_EXPORT int32_t tovplug_SetCallback(void* context, TovPluginHostCallback callback, uint32_t*,
                                           uint32_t*) {
    return Plugin().SetCallback(context, callback);
}

TOVPLUG_EXPORT int32_t tovplug_ShowProperties(uint32_t, int32_t) {
    return Plugin().ShowProperties();
}
