// Feeds arbitrary text to the reader of "volumes.vl", writes what it read and reads that again: the
// second writing must give the same bytes (whatever the reader makes of a file, the writer writes it
// in a form the reader reads back whole).
#include "foundation/TMemoryObject.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TVolumesReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string ReadAndWrite(std::string_view text) {
    TDVDProfile profile;
    profile.Header.ArchivePath = u"/fuzz/profile.zds";
    TVolumesReader(profile).Read(text);
    TMemoryObject out(4096);
    profile.WriteVolumes(out);
    return {out.Data, static_cast<std::size_t>(out.Used)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string first = ReadAndWrite({reinterpret_cast<const char*>(data), size});
    if (ReadAndWrite(first) != first) {
        std::abort();
    }
    return 0;
}
