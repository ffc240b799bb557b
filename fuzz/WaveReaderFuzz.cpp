// Opens arbitrary bytes as a WAVE file with the reader and the envelope viewer. Whatever opens must
// have a valid format and a data chunk inside the file, read back exactly its size, and give an
// envelope of one point per frame; portions at odd times must stay inside the data.
#include "editor/wave/TWaveViewer.h"
#include "platform/audio/RiffWaveFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

std::string InputPath() {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr ? folder : "/tmp") + "/fuzz_wave_reader-" +
           std::to_string(::getpid()) + ".wav";
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The data size of what opened, or -1.
std::int64_t CheckReader(const std::string& path, std::size_t fileSize) {
    plat::audio::RiffWaveFile file;
    if (file.Open(path) != plat::audio::RiffWaveFile::Error::None) {
        Check(!file.IsOpen() && file.DataSize() == -1);
        return -1;
    }
    Check(plat::audio::CheckPcmFormat(file.Format()) == plat::audio::FormatProblem::None);
    Check(file.DataPosition() + file.DataSize() <= static_cast<std::int64_t>(fileSize));
    Check(file.DataSize() % file.Format().blockAlign == 0);
    std::vector<char> buffer(4096);
    std::int64_t total = 0;
    for (std::int64_t got = 1; got > 0; total += got) {
        got = file.ReadData(total, buffer.data(), static_cast<std::int64_t>(buffer.size()));
    }
    Check(total == file.DataSize());
    return total;
}

// The viewer opens exactly what the reader opens, and its envelope holds one point per frame of
// the portion.
void CheckViewer(const std::u16string& path, std::int64_t dataSize) {
    for (const auto& [startMs, lengthMs] : {std::pair{0, 0}, std::pair{3, 7}, std::pair{1001, 1}}) {
        TWaveViewer viewer;
        const bool opened = viewer.Open(path.c_str(), startMs, lengthMs) == 1;
        Check(opened == (dataSize >= 0));
        if (!opened) {
            continue;
        }
        const std::int64_t pointBytes = std::int64_t{viewer.Header().PointCount} * viewer.Header().BlockAlign;
        Check(pointBytes <= dataSize);
        Check(lengthMs != 0 || pointBytes == dataSize);
        Check(viewer.GetStartMs() >= 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = InputPath();
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    CheckViewer(std::u16string(path.begin(), path.end()), CheckReader(path, size));
    std::remove(path.c_str());
    return 0;
}
