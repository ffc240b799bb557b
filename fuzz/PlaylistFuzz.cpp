// Feeds arbitrary bytes to the playlist reader as a playlist file: whatever it reads must write out
// and read back to the same text.
#include "platform/text/CodePage.h"
#include "player/model/playlist/TPlayList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::u16string FuzzFile(const char* name) {
    return plat::text::AnsiToWide("/dev/shm/fuzz_playlist_" + std::to_string(getpid()) + name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::u16string input = FuzzFile("_input.wsx");
    std::ofstream(plat::text::WideToAnsi(input), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    TPlayList list([] { return 7u; });
    list.LoadFromFile(input);
    list.Next();
    list.GetItem(-1, true);
    const std::u16string text = list.PlaylistText();
    TPlayList reread([] { return 7u; });
    reread.LoadFromText(u"/tmp/written.wsx", text);
    if (reread.PlaylistText() != text || reread.Count() != list.Count()) {
        std::abort();
    }
    return 0;
}
