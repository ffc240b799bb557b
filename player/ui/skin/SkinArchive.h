#pragma once
// Reads a skin's script and bitmaps: from a zip archive (entry names compared without regard to
// case), or the script alone from a plain file. Every entry is size-checked before it is read and
// every bitmap's pixel size before it is decoded.
#include "subtitles/zip/TZipControl.h"

#include <QImage>

#include <cstdint>
#include <string>

class SkinArchive {
public:
    static constexpr uint32_t kMaxScriptBytes = 4u << 20;
    static constexpr uint32_t kMaxBitmapBytes = 32u << 20;
    static constexpr int kMaxBitmapSide = 4096;

    enum class Status { Loaded, Missing, Refused };

    // Opens the archive; false when it is not a readable zip archive.
    bool Open(const std::string& archivePath);
    bool IsOpen() const { return zip_.IsOpen(); }
    void Close();

    // The entry's bytes; Missing when absent or empty, Refused (with `error`) beyond the limit.
    Status ReadEntry(const std::string& name, uint32_t limit, std::string& bytes, std::string& error);
    // The entry as a picture; Missing when absent, Refused (with `error`) when too large or not a
    // picture.
    Status ReadBitmap(const std::string& name, QImage& image, std::string& error);

    // A plain script file; false when it cannot be read or is larger than kMaxScriptBytes.
    static bool ReadPlainFile(const std::string& path, std::string& bytes);
    // Decodes picture bytes within the limits; false (with `error`) otherwise.
    static bool DecodeBitmap(const std::string& bytes, QImage& image, std::string& error);

private:
    TZipControl zip_;
};
