// Feeds arbitrary bytes to the SubStation script reader (as the ANSI page, with detection and as a
// legacy page), writes whatever was read in both forms and reads the written bytes back; also runs
// the 8-bit line, key, field and time helpers over the same bytes.
#include "foundation/TMemoryObject.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptControl.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

void ReadWriteRead(std::string_view bytes, int32_t codePage) {
    TScriptControl script;
    if (!script.Parse(bytes, codePage)) {
        return;
    }
    for (const uint8_t v4Plus : {uint8_t{0}, uint8_t{1}}) {
        script.V4Plus = v4Plus;
        TMemoryObject out(1024);
        script.Write(script.Styles, out);
        TScriptControl back;
        back.Parse(std::string_view(out.Data, static_cast<std::size_t>(out.Used)), script.CodePage);
    }
    TMemoryObject unicode(1024);
    script.WriteUnicode(script.Styles, unicode);
}

void Helpers(std::string_view bytes) {
    std::size_t index = 0;
    std::string line;
    while (scrutils::ReadTextLine(bytes, index, line, 64)) {
        std::size_t pos = 0;
        std::string token;
        scrutils::ReadKeyToken(line, pos, token, 300);
        while (scrutils::ReadFieldToken(line, pos, token, 300, true)) {
            scrutils::ParseTimeText(token, true);
        }
        scrutils::ReplaceAllText(line, 128, ",0,", ",,");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadWriteRead(bytes, 0);
    ReadWriteRead(bytes, TScriptControl::kDetectCodePage);
    ReadWriteRead(bytes, 1251);
    Helpers(bytes);
    return 0;
}
