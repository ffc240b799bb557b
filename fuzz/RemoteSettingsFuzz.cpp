// Feeds arbitrary text to the remote plug-in's settings reader: whatever it reads must name a port
// the plug-in can open, a COM number from 1 or a device path below /dev/.
#include "platform/serial/PortNames.h"
#include "plugins/remote/orvik/PluginSettings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    }
    orvik::PluginSettings settings;
    settings.Parse(text);
    if (settings.Port() < 1 || (!settings.Device().empty() && !plat::serial::IsDevicePath(settings.Device()))) {
        std::abort();
    }
    if (settings.DevicePath().empty()) {
        std::abort();
    }
    return 0;
}
