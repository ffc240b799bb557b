#include "editor/wave/tests/WaveTestFiles.h"

#include "platform/audio/tests/WaveBytes.h"

namespace {
std::u16string ToUtf16(const QString& text) {
    return text.toStdU16String();
}
} // namespace

std::u16string FixtureWave(const char* name) {
    return ToUtf16(QString(WAVE_FIXTURES "/") + name);
}

std::u16string WaveTestFolder::Write(const char* name, const std::string& bytes) {
    const QString path = folder_.filePath(name);
    plat::audio::testing::WriteFile(path.toStdString(), bytes);
    return ToUtf16(path);
}

std::u16string WaveTestFolder::NumberedWave(int seconds) {
    plat::audio::testing::WaveBytes wave;
    wave.data = plat::audio::testing::NumberedFrames(seconds * 8000);
    return Write("numbered.wav", wave.Build());
}
