// Feeds arbitrary bytes to a markup decoder plug-in's exports (SMIL, SAMI or JACOsub: the target links
// one) as the host calls them: the first byte gives the length of an advanced setting taken from the
// front of the input, the rest is the file. Every buffer handed out goes back through FreeBuffer.
#include "plugins/decoders/include/ScrPluginApi.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int32_t Decode(const void* data, int32_t size, void** text, int32_t* textSize, char** advanced,
                          int32_t* advancedLength);
extern "C" int32_t FreeBuffer(void** text, char** advanced);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t settingLength = data[0] % 16 <= size - 1 ? data[0] % 16 : size - 1;
    std::string setting(reinterpret_cast<const char*>(data + 1), settingLength);
    const std::string file(reinterpret_cast<const char*>(data + 1 + settingLength), size - 1 - settingLength);
    char* advanced = setting.data();
    int32_t advancedLength = static_cast<int32_t>(setting.size());
    void* text = nullptr;
    int32_t textSize = 0;
    if (Decode(file.data(), static_cast<int32_t>(file.size()), &text, &textSize, &advanced,
               &advancedLength) != 0) {
        const std::string script(static_cast<const char*>(text), static_cast<std::size_t>(textSize));
        if (script.rfind("[Script Info]", 0) != 0) {
            __builtin_trap();
        }
        FreeBuffer(&text, advanced != setting.data() ? &advanced : nullptr);
    }
    return 0;
}
