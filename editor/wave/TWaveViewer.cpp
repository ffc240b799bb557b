#include "editor/wave/TWaveViewer.h"

#include <QPainter>
#include <QPen>
#include <QPoint>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace audio = plat::audio;

namespace {

constexpr int32_t kStoreGrowStep = 4096;
constexpr double kNoMinimum = 2000000000.0;
constexpr double kNoMaximum = -2000000000.0;
constexpr double kLevelRange = 65535.0;

} // namespace

TWaveViewer::TWaveViewer() : store_(std::make_unique<TMemoryObject>(kStoreGrowStep)) {}

TWaveViewer::~TWaveViewer() = default;

int32_t TWaveViewer::Open(const char16_t* path, int32_t startMs, int32_t lengthMs) {
    if (TWaveFile::Open(path, startMs, lengthMs) == 1 && !BuildFromFile()) {
        openFlag_ = false;
    }
    return openFlag_ ? 1 : 0;
}

int32_t TWaveViewer::Feed(const uint8_t* block, int32_t size, const audio::WaveFormat& format,
                          int32_t startMs, bool append) {
    if (size <= 0) {
        return 0;
    }
    // Every conversion divides by the format's fields: a block in a format the tools do not read
    // holds no envelope.
    const audio::WaveFormat& blockFormat = append ? format_ : format;
    if (block == nullptr || audio::CheckPcmFormat(blockFormat) != audio::FormatProblem::None) {
        openFlag_ = false;
        return 0;
    }
    openFlag_ = true;
    if (append) {
        portionLength_ += size;
    } else {
        format_ = format;
        portionLength_ = size;
    }
    if (startMs >= 0) {
        portionStart_ = MsToBytes(startMs);
    }
    BeginEnvelope(size, append);
    if (!AppendPoints(block, size)) {
        openFlag_ = false;
        return 0;
    }
    FinishEnvelope();
    return 1;
}

void TWaveViewer::Clear() {
    store_->Reset();
    header_ = TPeakHeader{};
    openFlag_ = false;
}

void TWaveViewer::BeginEnvelope(int64_t byteCount, bool append) {
    if (append && store_->Used >= static_cast<int32_t>(sizeof(TPeakHeader))) {
        header_.DurationMs += static_cast<uint32_t>(BytesToMs(byteCount));
        return;
    }
    store_->SetUsed(0);
    header_ = TPeakHeader{};
    std::memcpy(header_.Tag, "PEAK", 4);
    header_.Channels = format_.channels;
    header_.SamplesPerSec = format_.samplesPerSec;
    header_.AvgBytesPerSec = format_.avgBytesPerSec;
    header_.BlockAlign = format_.blockAlign;
    header_.BitsPerSample = format_.bitsPerSample;
    header_.DurationMs = static_cast<uint32_t>(BytesToMs(byteCount));
    header_.SamplesPerPoint = 1;
    header_.SourceBytes = static_cast<uint32_t>(byteCount);
    store_->AppendData(&header_, sizeof header_);
}

bool TWaveViewer::AppendPoints(const uint8_t* bytes, int64_t count) {
    const int64_t wholeFrames = count - count % format_.blockAlign;
    if (wholeFrames > INT32_MAX) {
        return false;
    }
    try {
        store_->AppendData(bytes, static_cast<int32_t>(wholeFrames));
    } catch (const std::length_error&) {
        return false; // an envelope beyond what the store can hold
    }
    header_.PointCount += static_cast<uint32_t>(wholeFrames / format_.blockAlign);
    return true;
}

// Reads the portion only (never the chunks after the data) in blocks of at most 512,000 bytes.
bool TWaveViewer::BuildFromFile() {
    BeginEnvelope(portionLength_, false);
    std::vector<uint8_t> block(kFileReadBytes - kFileReadBytes % format_.blockAlign);
    for (;;) {
        const int64_t wanted =
            std::min<int64_t>(static_cast<int64_t>(block.size()), PortionEnd() - FilePosition());
        const int64_t read = wanted > 0 ? ReadAtFilePosition(block.data(), wanted) : 0;
        if (read <= 0) {
            break;
        }
        if (!AppendPoints(block.data(), read)) {
            return false;
        }
    }
    FinishEnvelope();
    return true;
}

void TWaveViewer::FinishEnvelope() {
    secondsPerPoint_ = static_cast<double>(header_.SamplesPerPoint) / header_.SamplesPerSec;
    std::memcpy(store_->Data, &header_, sizeof header_);
}

int32_t TWaveViewer::PointBytes() const {
    return header_.BlockAlign;
}

int32_t TWaveViewer::PointLevel(uint32_t index, int32_t channel) const {
    const char* point = store_->Data + sizeof(TPeakHeader) + static_cast<int64_t>(index) * PointBytes();
    if (header_.BitsPerSample == 8) {
        return static_cast<uint8_t>(point[channel - 1]) * 255;
    }
    int16_t sample = 0;
    std::memcpy(&sample, point + (channel - 1) * 2, sizeof sample);
    return sample + 32767;
}

double TWaveViewer::PixelsPerPoint(int32_t width, double zoom) const {
    return zoom * width / header_.PointCount;
}

int32_t TWaveViewer::PixelsToMs(int32_t pixels, int32_t width, double zoom) const {
    if (width == 0 || zoom == 0 || !HoldsEnvelope()) {
        return 0;
    }
    return static_cast<int32_t>(pixels * (1 / PixelsPerPoint(width, zoom)) * secondsPerPoint_ * 1000);
}

int32_t TWaveViewer::MsToPixels(int32_t ms, int32_t width, double zoom) const {
    if (width == 0 || zoom == 0 || !HoldsEnvelope()) {
        return 0;
    }
    const double secondsPerPixel = (1 / PixelsPerPoint(width, zoom)) * secondsPerPoint_;
    return secondsPerPixel == 0 ? 0 : static_cast<int32_t>(ms / (secondsPerPixel * 1000));
}

int32_t TWaveViewer::MsToPoint(int32_t ms) const {
    return HoldsEnvelope() ? static_cast<int32_t>(ms * 0.001 / secondsPerPoint_) : 0;
}

double TWaveViewer::PaintChannel(QPainter& dc, int32_t channel, int32_t& scrollMs, int32_t left, int32_t top,
                                 int32_t right, int32_t bottom, double zoom) {
    if (zoom == 0) {
        return 0;
    }
    const int32_t width = right - left;
    const int32_t height = bottom - top;
    const int32_t span = PixelsToMs(width, width, zoom);
    const int32_t largestScroll = std::max<int32_t>(0, static_cast<int32_t>(header_.DurationMs) - span);
    scrollMs = std::clamp(scrollMs, 0, largestScroll);
    const int32_t firstPoint = MsToPoint(scrollMs);
    if (!HoldsEnvelope() || channel < 1 || channel > header_.Channels || width <= 0) {
        return 0;
    }
    const double step = PixelsPerPoint(width, zoom);
    std::vector<QPoint> line{QPoint(left, bottom - height / 2)};
    double x = left;
    int32_t lastColumn = left;
    double minimum = kNoMinimum;
    double maximum = kNoMaximum;
    for (uint32_t point = static_cast<uint32_t>(firstPoint); x < right && point + 1 < header_.PointCount;
         ++point) {
        const double level = PointLevel(point, channel);
        x += step;
        minimum = std::min(minimum, level);
        maximum = std::max(maximum, level);
        const auto column = static_cast<int32_t>(x);
        if (column != lastColumn) {
            line.emplace_back(column, static_cast<int32_t>(bottom - minimum * height / kLevelRange));
            line.emplace_back(column, static_cast<int32_t>(bottom - maximum * height / kLevelRange));
            lastColumn = column;
            minimum = kNoMinimum;
            maximum = kNoMaximum;
        }
    }
    dc.save();
    dc.setPen(QPen(QColor(0, 255, 0), 1));
    dc.drawPolyline(line.data(), static_cast<int>(line.size()));
    dc.restore();
    return (1 / step) * secondsPerPoint_;
}
