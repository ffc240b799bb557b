#include "player/ui/skin/SkinFirstLine.h"

#include "player/ui/skin/ISkinActionSink.h"
#include "player/ui/skin/SkinArchive.h"
#include "player/ui/skin/SkinScriptReader.h"
#include "subtitles/scripts/ScrUtils.h"

#include <QString>

namespace {
std::u16string U16(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdU16String();
}
} // namespace

bool SkinFirstLine::ReadSkinFirstLine(std::string& result, const std::string& scriptName,
                                      const std::string& archivePath, QImage* preview,
                                      ISkinActionSink& sink) {
    std::string script;
    if (!archivePath.empty()) {
        SkinArchive archive;
        std::string error;
        const bool found = archive.Open(archivePath) &&
                           archive.ReadEntry(scriptName, SkinArchive::kMaxScriptBytes, script, error) ==
                               SkinArchive::Status::Loaded;
        if (preview != nullptr) {
            *preview = QImage();
            if (found &&
                archive.ReadBitmap("__Preview.bmp", *preview, error) != SkinArchive::Status::Loaded) {
                *preview = QImage();
            }
        }
        archive.Close();
        if (!found) {
            sink.ReportError(U16("Unable find file : " + scriptName + " into archive " + archivePath));
            return false;
        }
    } else if (!SkinArchive::ReadPlainFile(scriptName, script)) {
        sink.ReportError(U16("Unable to open file : " + scriptName));
        return false;
    }
    std::size_t index = 0;
    std::string line;
    result.clear();
    if (scrutils::ReadTextLine(script, index, line, SkinScriptReader::kMaxLine)) {
        // Cut at a character boundary: the script is UTF-8.
        std::size_t cut = std::min(line.size(), kMaxLength);
        while (cut > 0 && cut < line.size() && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        result = line.substr(0, cut);
    }
    return true;
}
