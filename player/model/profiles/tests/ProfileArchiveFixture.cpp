#include "player/model/profiles/tests/ProfileArchiveFixture.h"

#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/zip/TZipControl.h"

#include <utility>

namespace {

std::string Time(int32_t ms) {
    std::string text;
    TScriptControl::FormatTime(ms, text);
    return text;
}

// A language style line in the columns of the "Styles:" format line.
std::string StyleLine(const std::string& name, int32_t fontSize) {
    return "Style: " + name + ", DejaVu Sans, " + std::to_string(fontSize) +
           ", 16777215, 65535, 0, 0, 0, 0, 0, 0, 0, 100, 100, 0, 0, 1, 2, 0, 2, 10, 10, 10, 0\r\n";
}

std::string LanguageProfile(const std::string& scriptName, int32_t number, const TFixtureLanguage& language) {
    std::string text =
        "[Infos]\r\nCreated By: fixture\r\n\r\n"
        "[Format]\r\nStyles: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
        "TertiaryColour, OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, "
        "ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, "
        "MarginV, Encoding\r\n"
        "load: ScriptFile, Type, ExtendedData,IsLocked,Encoding\r\n"
        "Select: FirstSub, LastSub, Title,DVDStart,TimeRamp,Name\r\n\r\n"
        "[Styles]\r\n" +
        StyleLine("Default", 20 + number) + StyleLine("Sign", 40 + number) + "\r\n[Script]\r\n";
    if (!language.WithScript) {
        return text;
    }
    text += "load: " + scriptName + ",SSA4,,0,0\r\n";
    int32_t info = 0;
    for (const TFixtureLanguage::TTitle& title : language.Titles) {
        text += "Select: 0:00:00.00,9:59:59.99," + std::to_string(title.Number) + "," + Time(title.Offset) +
                ",0,Title " + std::to_string(title.Number) + "\r\nInfo: " + std::to_string(++info) + "\r\n";
    }
    return text;
}

std::string VolumesFile(const std::vector<TFixtureVolume>& volumes,
                        std::vector<std::pair<std::string, std::string>>& members) {
    std::string text = "[Header]\r\nTitle: Fixture profile\r\nCreated By: fixture\r\n\r\n[Volumes]\r\n";
    int number = 0;
    for (const TFixtureVolume& volume : volumes) {
        text += "Volume: " + volume.Name + "\r\n";
        if (volume.IdHigh != 0 || volume.IdLow != 0) {
            text += "IDHigh: " + std::to_string(volume.IdHigh) +
                    "\r\nIDLow: " + std::to_string(volume.IdLow) + "\r\n";
        }
        text += volume.ChapterChange ? "UseChapterChange:\r\n" : "";
        for (const TFixtureLanguage& language : volume.Languages) {
            const std::string base = std::to_string(++number) + "-" + language.Name;
            text += "Language: " + language.Name + "\r\nScript: " + base + ".ds\r\n";
            members.emplace_back(base + ".ds", LanguageProfile(base + ".ssa", number, language));
            if (language.WithScript) {
                members.emplace_back(base + ".ssa", FixtureScript(language.Events, 20 + number));
            }
        }
    }
    return text;
}

} // namespace

std::string FixtureScript(const std::vector<TFixtureEvent>& events, int32_t fontSize) {
    std::string text =
        "[Script Info]\r\nTitle: fixture\r\nScriptType: v4.00\r\nPlayResY: 480\r\nPlayResX: 640\r\n\r\n"
        "[V4 Styles]\r\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
        "TertiaryColour, BackColour, Bold, Italic, BorderStyle, Outline, Shadow, Alignment, "
        "MarginL, MarginR, MarginV, AlphaLevel, Encoding\r\n"
        "Style: Default,DejaVu Sans," +
        std::to_string(fontSize) +
        ",16777215,65535,0,0,0,0,1,2,0,2,10,10,10,0,0\r\n\r\n"
        "[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, "
        "Text\r\n";
    text.reserve(text.size() + events.size() * 80);
    for (const TFixtureEvent& event : events) {
        text += "Dialogue: Marked=0," + Time(event.Start) + "," + Time(event.End) + ",Default,,0,0,0,," +
                event.Text + "\r\n";
    }
    return text;
}

bool WriteFixtureProfile(const std::string& path, const std::vector<TFixtureVolume>& volumes) {
    std::vector<std::pair<std::string, std::string>> members;
    const std::string volumesFile = VolumesFile(volumes, members);
    members.emplace(members.begin(), "volumes.vl", volumesFile);
    TZipControl archive;
    if (!archive.Create(path.c_str())) {
        return false;
    }
    for (const auto& [name, text] : members) {
        if (!archive.AddEntry(name.c_str(), text.data(), static_cast<uint32_t>(text.size()))) {
            return false;
        }
    }
    return archive.Close();
}
