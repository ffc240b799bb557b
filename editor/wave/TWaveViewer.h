#pragma once
// The envelope of a stretch of audio: the first two channels of every sample frame behind a "PEAK"
// header, fed from a file portion or from blocks the player hands over, and painted one channel at
// a time for a scroll position and a zoom factor.
#include "editor/wave/TPeakHeader.h"
#include "editor/wave/TWaveFile.h"
#include "foundation/TMemoryObject.h"

#include <memory>

class QPainter;

class TWaveViewer : public TWaveFile {
public:
    TWaveViewer();
    ~TWaveViewer() override;

    // The reader's open, then the envelope of the whole portion from the file; the open flag.
    int32_t Open(const char16_t* path, int32_t startMs, int32_t lengthMs) override;
    // Builds (or, with `append`, extends) the envelope from a block of audio in `format` starting at
    // `startMs` (-1: keep the portion start). Answers the open flag: 0 for an empty or missing block
    // and for a format the wave tools do not read.
    int32_t Feed(const uint8_t* block, int32_t size, const plat::audio::WaveFormat& format, int32_t startMs,
                 bool append);
    void Clear();

    // Draws channel 1 or 2 into the rectangle: one green stroke per pixel column from the lowest to
    // the highest level of its points. The scroll (ms) is clamped to the audio held and written
    // back. Answers seconds per pixel, 0 when nothing was drawn.
    double PaintChannel(QPainter& dc, int32_t channel, int32_t& scrollMs, int32_t left, int32_t top,
                        int32_t right, int32_t bottom, double zoom);
    int32_t PixelsToMs(int32_t pixels, int32_t width, double zoom) const;
    int32_t MsToPixels(int32_t ms, int32_t width, double zoom) const;
    int32_t MsToPoint(int32_t ms) const;

    const TPeakHeader& Header() const { return header_; }
    bool HoldsEnvelope() const { return openFlag_ && header_.PointCount > 0; }
    // Sample `channel` (1 or 2) of point `index` as a level from 0 to 65,535 (16-bit silence is
    // 32,767).
    int32_t PointLevel(uint32_t index, int32_t channel) const;

private:
    static constexpr int32_t kFileReadBytes = 512000;

    // Starts a new envelope for `byteCount` bytes, or extends the current one.
    void BeginEnvelope(int64_t byteCount, bool append);
    // Appends the whole frames of `bytes` as points: with one or two channels and one frame per
    // point, a point is a frame.
    bool AppendPoints(const uint8_t* bytes, int64_t count);
    bool BuildFromFile();
    void FinishEnvelope();
    // Stored bytes per point.
    int32_t PointBytes() const;
    // Points per pixel-independent quantity used by the conversions: z x w / P.
    double PixelsPerPoint(int32_t width, double zoom) const;

    std::unique_ptr<TMemoryObject> store_;
    TPeakHeader header_{};
    double secondsPerPoint_ = 0;
};
