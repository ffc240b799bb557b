#pragma once
// Paths of the generated WAVE files and of files a test writes into its own folder.
#include <QTemporaryDir>

#include <string>

// A fixture file of the build folder (see make-waves.sh) as a UTF-16 path.
std::u16string FixtureWave(const char* name);

class WaveTestFolder {
public:
    // Writes `bytes` as `name` in the folder and answers its UTF-16 path.
    std::u16string Write(const char* name, const std::string& bytes);
    // A 16-bit stereo file at 8,000 Hz of `seconds` whose frames are numbered (see NumberedFrames).
    std::u16string NumberedWave(int seconds);

private:
    QTemporaryDir folder_;
};
