#pragma once
// The name a skin shows in the settings dialog's list: the first non-empty line of its script (up to
// 250 characters), with the archive's preview picture "__Preview.bmp" when asked for.
#include <QImage>

#include <string>

class ISkinActionSink;

class SkinFirstLine {
public:
    static constexpr std::size_t kMaxLength = 250;

    // False (reported through the sink) when the script cannot be read.
    static bool ReadSkinFirstLine(std::string& result, const std::string& scriptName,
                                  const std::string& archivePath, QImage* preview, ISkinActionSink& sink);
};
