#include "editor/wave/TWaveFile.h"

#include "platform/text/CodePage.h"
#include "platform/text/WideString.h"

#include <algorithm>

namespace audio = plat::audio;

void TWaveFile::ResetState() {
    format_ = audio::WaveFormat{};
    file_.Close();
    openFlag_ = false;
    dataPosition_ = -1;
    dataSize_ = -1;
    portionDuration_ = -1;
    portionStart_ = -1;
    portionLength_ = -1;
    filePosition_ = 0;
}

int32_t TWaveFile::Open(const char16_t* path, int32_t startMs, int32_t lengthMs) {
    ResetState();
    if (path == nullptr || file_.Open(plat::text::WideToAnsi(plat::text::WStringView(path))) !=
                               audio::RiffWaveFile::Error::None) {
        return 0;
    }
    format_ = file_.Format();
    dataPosition_ = file_.DataPosition();
    dataSize_ = file_.DataSize();
    openFlag_ = true;
    PlacePortion(startMs, lengthMs);
    filePosition_ = portionStart_;
    portionDuration_ = BytesToMs(portionLength_);
    return 1;
}

void TWaveFile::PlacePortion(int32_t startMs, int32_t lengthMs) {
    int64_t start = MsToBytes(startMs);
    int64_t length = 0;
    if (lengthMs < 1) {
        if (start >= dataSize_) {
            start = 0;
        }
        length = dataSize_ - start;
    } else {
        length = std::min(MsToBytes(lengthMs), dataSize_);
        if (start + length > dataSize_) {
            start = dataSize_ - length;
        }
    }
    portionStart_ = start;
    portionLength_ = length;
}

void TWaveFile::Close() {
    file_.Close();
}

// Integer arithmetic gives the exact truncated value (a floating product of 1/rate can fall just
// short of a whole millisecond).
int32_t TWaveFile::BytesToMs(int64_t bytes) const {
    if (!openFlag_) {
        return -1;
    }
    const int64_t bytesPerSecond =
        int64_t{audio::BytesPerSample(format_)} * format_.channels * format_.samplesPerSec;
    return static_cast<int32_t>(bytes * 1000 / bytesPerSecond);
}

int64_t TWaveFile::MsToBytes(int32_t ms) const {
    if (!openFlag_) {
        return -1;
    }
    const int64_t bytes = int64_t{format_.avgBytesPerSec} * std::max(ms, 0) / 1000;
    return bytes - bytes % format_.blockAlign;
}

int32_t TWaveFile::GetChannels() const {
    return openFlag_ ? format_.channels : -1;
}

int32_t TWaveFile::GetStartMs() const {
    return openFlag_ ? BytesToMs(portionStart_) : -1;
}

int32_t TWaveFile::GetLengthMs() const {
    return openFlag_ ? BytesToMs(portionLength_) : -1;
}

int64_t TWaveFile::ReadAtFilePosition(void* buffer, int64_t count) {
    const int64_t read = file_.ReadData(filePosition_, buffer, count);
    filePosition_ += read;
    return read;
}
