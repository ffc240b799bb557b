// Feeds arbitrary bytes to the ini reader: the text must come back byte for byte, every key it
// finds must read back, and a changed value must read back as written.
#include "foundation/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    IniFile ini;
    ini.Parse(bytes);
    if (ini.Text() != bytes) {
        std::abort();
    }
    ini.ReadInteger("General", "NbExtention", 0);
    ini.ReadBool("Sound", "Mute", false);
    const std::string language = ini.ReadString("General", "Language", "default");
    if (ini.WriteString("General", "Language", "x=y") && ini.ReadString("general", "language", "") != "x=y") {
        std::abort();
    }
    if (!ini.WriteInteger("New Section", "Count", -7) || ini.ReadInteger("NEW SECTION", "count", 0) != -7) {
        std::abort();
    }
    IniFile reread;
    reread.Parse(ini.Text());
    if (reread.Text() != ini.Text() || reread.ReadInteger("New Section", "Count", 0) != -7) {
        std::abort();
    }
    return 0;
}
