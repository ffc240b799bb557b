// Feeds arbitrary bytes to the language profile reader (with two real scripts beside the profile, so
// that "load:" lines can find them), writes what was read and reads the written text back: the
// second writing must give the same bytes as the first.
#include "foundation/TMemoryObject.h"
#include "platform/text/CodePage.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TLanguageReader.h"
#include "subtitles/profiles/TScriptsPool.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

// A folder with "a.ssa" and "b.ssa", made once.
std::string Folder() {
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "dsfuzz-XXXXXX").string();
        const std::string made = ::mkdtemp(pattern.data());
        for (const char* name : {"a.ssa", "b.ssa"}) {
            std::ofstream(made + "/" + name, std::ios::binary)
                << "[Script Info]\r\nPlayResY: 480\r\n[V4 Styles]\r\nFormat: Name, Fontname, Fontsize\r\n"
                   "Style: Big, Arial, 40\r\n[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, "
                   "MarginR, MarginV, Effect, Text\r\nDialogue: "
                   "Marked=0,0:00:01.00,0:00:02.00,Big,,0,0,0,,x\r\n";
        }
        return made;
    }();
    return folder;
}

std::string ReadAndWrite(TScriptsPool& pool, std::string_view text) {
    TLanguage language(&pool);
    language.SetFile(u"Fuzz", plat::text::AnsiToWide(Folder() + "/fuzz.ds"), u"");
    TLanguageReader reader(language, nullptr, "fuzz");
    reader.Read(text);
    for (TTitle* title = language.Titles.Head; title; title = title->Next) {
        title->BuildEvents();
    }
    TMemoryObject out(1024);
    language.Write(out, true, u"");
    return std::string(out.Data, static_cast<std::size_t>(out.Used));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Folder();
    TScriptsPool pool;
    const std::string first = ReadAndWrite(pool, std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string second = ReadAndWrite(pool, first);
    if (first != second) {
        std::fprintf(stderr, "== written first:\n%s\n== written again:\n%s\n", first.c_str(), second.c_str());
        std::abort();
    }
    return 0;
}
