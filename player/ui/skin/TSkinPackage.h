#pragma once
// Everything a skin needs, read and checked before any of the running skin is touched: the object
// records of its script, the bitmaps its columns name and the three bitmaps other windows borrow.
// A skin that fails here leaves the running skin as it was.
#include "player/ui/skin/SkinObjectRecord.h"

#include <QImage>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class SkinArchive;

class TSkinPackage {
public:
    static constexpr int kMaxSize = 4096;
    static constexpr int kMaxPlace = 16384;
    static constexpr int kMaxFontSize = 512;
    // All bitmaps of a skin together.
    static constexpr int64_t kMaxTotalPixels = 32ll << 20;

    // Reads "skin.txt" (or the script name given) from the archive, or the plain script file when the
    // archive path is empty. False with the message to show.
    bool Prepare(const std::string& scriptName, const std::string& archivePath, std::u16string& message);

    const std::vector<SkinObjectRecord>& Records() const { return records_; }
    // The bitmap of that entry name (any case), or null: always null for a plain script.
    const QImage* Bitmap(const std::string& name) const;
    const QImage& Messages() const { return messages_; }
    const QImage& MenuLeft() const { return menuLeft_; }
    const QImage& VideoBackground() const { return videoBackground_; }

    // The columns whose values name bitmaps.
    static bool IsBitmapColumn(const std::string& column);

private:
    bool LoadBitmaps(SkinArchive& archive, const std::string& archivePath, std::u16string& message);
    // Sizes, places and font sizes of the records within bounds; false with the message.
    bool CheckRecords(const std::string& source, std::u16string& message) const;

    std::vector<SkinObjectRecord> records_;
    std::map<std::string, QImage> bitmaps_;
    QImage messages_;
    QImage menuLeft_;
    QImage videoBackground_;
};
