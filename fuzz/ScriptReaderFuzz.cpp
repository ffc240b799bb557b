// Feeds arbitrary bytes to the SubStation script reader (as the ANSI page, with detection and as a
// legacy page) and round-trips whatever was read, in both section formats and as 8-bit and UTF-16
// text: the written script reads back, and writing what was read back gives the same bytes. Also runs
// the 8-bit line, key, field and time helpers over the same bytes.
#include "foundation/TMemoryObject.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptControl.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string_view Bytes(const TMemoryObject& memory) {
    return {memory.Data, static_cast<std::size_t>(memory.Used)};
}

void Write(const TScriptControl& script, bool unicode, TMemoryObject& out) {
    if (unicode) {
        script.WriteUnicode(script.Styles, out);
    } else {
        script.Write(script.Styles, out);
    }
}

void RoundTrip(const TScriptControl& script, bool unicode) {
    TMemoryObject first(1024);
    Write(script, unicode, first);
    TScriptControl back;
    if (!back.Parse(Bytes(first), script.CodePage)) {
        std::abort(); // what the writer wrote, the reader refused
    }
    TMemoryObject second(1024);
    Write(back, unicode, second);
    if (Bytes(first) != Bytes(second)) {
        std::abort(); // the script read back differs from the one written
    }
}

void ReadWriteRead(std::string_view bytes, int32_t codePage) {
    TScriptControl script;
    if (!script.Parse(bytes, codePage)) {
        return;
    }
    for (const uint8_t v4Plus : {uint8_t{0}, uint8_t{1}}) {
        script.V4Plus = v4Plus;
        RoundTrip(script, false);
        RoundTrip(script, true);
    }
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
