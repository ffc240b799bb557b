#include "player/ui/skin/TSkinPackage.h"

#include "player/ui/skin/SkinArchive.h"
#include "player/ui/skin/SkinScriptReader.h"
#include "player/ui/skin/SkinText.h"
#include "subtitles/zip/ZipEntryName.h"

#include <QString>

namespace {

std::u16string U16(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdU16String();
}

std::string Lowered(const std::string& text) {
    return QString::fromUtf8(text.c_str()).toLower().toStdString();
}

struct Bound {
    std::string_view column;
    int low;
    int high;
};

constexpr Bound kBounds[] = {
    {"Width", 0, TSkinPackage::kMaxSize},
    {"Height", 0, TSkinPackage::kMaxSize},
    {"Top", -TSkinPackage::kMaxPlace, TSkinPackage::kMaxPlace},
    {"Left", -TSkinPackage::kMaxPlace, TSkinPackage::kMaxPlace},
    {"FontSize", 0, TSkinPackage::kMaxFontSize},
    {"FontHoverSize", 0, TSkinPackage::kMaxFontSize},
};

} // namespace

bool TSkinPackage::IsBitmapColumn(const std::string& column) {
    return SkinText::SameText(column, "Mask") || SkinText::SameText(column, "Background") ||
           SkinText::SameText(column, "Glyph") || SkinText::SameText(column, "GlyphHover");
}

const QImage* TSkinPackage::Bitmap(const std::string& name) const {
    const auto found = bitmaps_.find(Lowered(name));
    return found == bitmaps_.end() ? nullptr : &found->second;
}

bool TSkinPackage::Prepare(const std::string& scriptName, const std::string& archivePath,
                           std::u16string& message) {
    std::string script;
    SkinArchive archive;
    const std::string source = archivePath.empty() ? scriptName : archivePath;
    if (!archivePath.empty()) {
        std::string error;
        const bool opened = archive.Open(archivePath);
        const SkinArchive::Status status =
            opened ? archive.ReadEntry(scriptName, SkinArchive::kMaxScriptBytes, script, error)
                   : SkinArchive::Status::Missing;
        if (status == SkinArchive::Status::Refused) {
            message = U16("Skin " + archivePath + ": " + error);
            return false;
        }
        if (status == SkinArchive::Status::Missing) {
            message = U16("Unable find file : " + scriptName + " into archive " + archivePath);
            return false;
        }
    } else if (!SkinArchive::ReadPlainFile(scriptName, script)) {
        message = U16("Unable to open file : " + scriptName);
        return false;
    }
    SkinScriptReader reader;
    std::string error;
    if (!reader.Read(script, records_, error)) {
        message = U16("Skin " + source + ": " + error);
        return false;
    }
    if (!CheckRecords(source, message)) {
        return false;
    }
    return archivePath.empty() || LoadBitmaps(archive, archivePath, message);
}

bool TSkinPackage::CheckRecords(const std::string& source, std::u16string& message) const {
    for (const SkinObjectRecord& record : records_) {
        for (const SkinColumnValue& value : record.values) {
            for (const Bound& bound : kBounds) {
                if (!SkinText::SameText(value.column, bound.column)) {
                    continue;
                }
                const int32_t number = SkinText::Number(value.value);
                if (number < bound.low || number > bound.high) {
                    message = U16("Skin " + source + ": line " + std::to_string(record.line) + " gives " +
                                  value.column + " the value " + std::to_string(number) + ", outside " +
                                  std::to_string(bound.low) + " to " + std::to_string(bound.high));
                    return false;
                }
            }
        }
    }
    return true;
}

bool TSkinPackage::LoadBitmaps(SkinArchive& archive, const std::string& archivePath,
                               std::u16string& message) {
    std::vector<std::string> names = {"__Messages.bmp", "__MenuLeft.bmp", "__VideoBackground.bmp"};
    for (const SkinObjectRecord& record : records_) {
        for (const SkinColumnValue& value : record.values) {
            if (IsBitmapColumn(value.column) && !value.value.empty()) {
                names.push_back(value.value);
            }
        }
    }
    int64_t pixels = 0;
    for (const std::string& name : names) {
        const std::string key = Lowered(name);
        if (bitmaps_.count(key) != 0) {
            continue;
        }
        if (!zipname::SafeComponents(name)) {
            message = U16("Skin " + archivePath + ": the bitmap name \"" + name +
                          "\" leads outside the archive's folders");
            return false;
        }
        QImage image;
        std::string error;
        const SkinArchive::Status status = archive.ReadBitmap(name, image, error);
        if (status == SkinArchive::Status::Refused) {
            message = U16("Skin " + archivePath + ": " + error);
            return false;
        }
        if (status == SkinArchive::Status::Loaded) {
            pixels += int64_t{image.width()} * image.height();
            if (pixels > kMaxTotalPixels) {
                message = U16("Skin " + archivePath + ": its bitmaps hold more than " +
                              std::to_string(kMaxTotalPixels) + " pixels");
                return false;
            }
            bitmaps_.emplace(key, std::move(image));
        }
    }
    auto take = [this](const char* name, QImage& into) {
        if (const QImage* image = Bitmap(name)) {
            into = *image;
        }
    };
    take("__Messages.bmp", messages_);
    take("__MenuLeft.bmp", menuLeft_);
    take("__VideoBackground.bmp", videoBackground_);
    return true;
}
