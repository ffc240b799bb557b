#include "subtitles/profiles/tests/ProfileTestSupport.h"

#include "foundation/TMemoryObject.h"
#include "platform/text/CodePage.h"
#include "subtitles/decoders/TPluginDecoderHost.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TScriptsPool.h"
#include "subtitles/profiles/TTitle.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/zip/TZipControl.h"

#include <sstream>

const std::string_view kMovieSsa =
    "[Script Info]\r\nTitle: Harbour Lights\r\nScriptType: v4.00\r\nPlayResX: 640\r\nPlayResY: 480\r\n\r\n"
    "[V4 Styles]\r\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, "
    "BackColour, Bold, Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, "
    "AlphaLevel, Encoding\r\n"
    "Style: Default,DejaVu Sans,24,16777215,65535,0,0,-1,0,1,2,2,2,10,10,20,0,0\r\n"
    "Style: Top,DejaVu Serif,20,65280,65535,0,0,0,-1,1,1,0,6,10,10,15,0,0\r\n\r\n"
    "[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
    "Dialogue: Marked=0,0:00:01.00,0:00:03.50,Default,,0000,0000,0000,,The harbour at night\r\n"
    "Dialogue: Marked=0,0:00:04.00,0:00:06.00,Top,,0000,0000,0000,,{\\i1}Lights{\\i0} across the water\r\n"
    "Comment: Marked=0,0:00:05.00,0:00:07.00,Default,,0000,0000,0000,,a note\r\n"
    "Dialogue: Marked=0,0:00:07.25,0:00:09.00,Default,,0000,0000,0000,,Who keeps them burning?\\NNobody "
    "knows\r\n"
    "Dialogue: Marked=0,0:01:10.00,0:01:12.00,Top,,0000,0000,0000,,The end\r\n";

namespace {

const std::string_view kEditedExtras =
    "[Script Info]\r\nTitle: Extras\r\nScriptType: v4.00\r\nPlayResX: 640\r\nPlayResY: 480\r\n\r\n"
    "[V4 Styles]\r\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, TertiaryColour, "
    "BackColour, Bold, Italic, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, "
    "AlphaLevel, Encoding\r\n"
    "Style: Default,DejaVu Sans,24,16777215,65535,0,0,-1,0,1,2,2,2,10,10,20,0,0\r\n\r\n"
    "[Events]\r\nFormat: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n"
    "Dialogue: Marked=0,0:00:00.50,0:00:02.00,Default,,0000,0000,0000,,Edited: a decoded line\r\n"
    "Dialogue: Marked=0,0:00:02.50,0:00:04.00,Default,,0000,0000,0000,,A line added in the editor\r\n";

TLanguage& AddLanguage(TVolume& volume, std::u16string_view name) {
    volume.AddLanguage(name, {}, {});
    return *volume.CurrentLanguage();
}

TTitle& Title(TLanguage& language, int32_t number) {
    language.FindTitle(number, true);
    return *language.Titles.Current;
}

} // namespace

void ProfileTest::SetUp() {
    InitScriptControlUnit(std::make_unique<TPluginDecoderHost>(DECODER_TEST_SYSTEM_DIR));
}

void ProfileTest::TearDown() {
    FreeScriptControlUnit();
}

void ProfileTest::BuildProfile(TDVDProfile& profile) {
    dir_.Write("movie.ssa", kMovieSsa);
    dir_.Write("extras.srt", "extras");
    profile.Header.Title = "Harbour Lights";
    profile.Header.CreatedBy = "Ada Tester";
    profile.Header.Version = "1.0";
    profile.Header.LastUpdate = "2026-12-11";
    TVolume& one = *profile.AddVolume(u"Disc One");
    one.AddIdHigh(123);
    one.AddIdLow(456);
    one.ChapterChange = 1;
    TLanguage& english = AddLanguage(one, u"English");
    TScriptControl* movie = english.LoadScript(nullptr, dir_.WPath("movie.ssa"), {}, "SSA4", {}, 0);
    ASSERT_NE(movie, nullptr) << english.LastScriptError;
    AddSelect(Title(english, 1), movie, 1000, 4000, 0, "Part one", true);
    AddSelect(Title(english, 1), movie, 7250, 7250, 3000, "Part two", false);
    AddSelect(Title(english, 2), movie, 70000, 70000, 600000, "Credits", true);

    TLanguage& french = AddLanguage(one, u"Français");
    ASSERT_NE(french.LoadScript(nullptr, dir_.WPath("movie.ssa"), {}, "SSA4", {}, 0), nullptr);
    TScriptControl* extras = french.LoadScript(nullptr, dir_.WPath("extras.srt"), {}, {}, {}, 0);
    ASSERT_NE(extras, nullptr) << french.LastScriptError;
    ASSERT_NE(extras->Type, "SSA4"); // decoded by a plug-in
    ASSERT_TRUE(extras->Parse(kEditedExtras, 0));
    extras->Modified = 1;
    AddSelect(Title(french, 1), extras, 500, 2500, 1000, "Extras", true);
    french.Styles.Head->Record.fontSize = 30; // the language's own change of a style

    TVolume& two = *profile.AddVolume(u"Disc Two");
    two.AddIdHigh(789);
    two.AddIdLow(-1);
    TLanguage& german = AddLanguage(two, u"Deutsch");
    ASSERT_NE(german.LoadScript(nullptr, dir_.WPath("movie.ssa"), {}, "SSA4", {}, 0), nullptr);
    AddSelect(Title(german, 1), movie, 0, 70000, 0, "Alles", true);
    profile.SelectedVolume = &one;
    profile.CurrentLanguage = &english;
}

std::u16string ProfileTest::TakeErrors() {
    std::u16string errors;
    for (const TErrorSinkRecorder::TReport& report : errors_.reports) {
        if (report.level != IErrorSink::kListenerOnlyLevel) {
            errors += report.text + u"|";
        }
    }
    errors_.reports.clear();
    return errors;
}

void AddSelect(TTitle& title, TScriptControl* script, int32_t first, int32_t last, int32_t dvdStart,
               const char* name, bool enabled) {
    TSelect* select = title.Selects.Add();
    select->FirstSub = first;
    select->LastSub = last;
    select->DVDStart = dvdStart;
    select->TitleNumber = title.Number;
    select->Name = name;
    select->Enabled = enabled ? 1 : 0;
    select->Script = script;
    select->Owner = &title;
    title.Selects.Renumber();
    select->Info = select->Index;
}

std::string Dump(TDVDProfile& profile) {
    std::ostringstream out;
    const TProfileHeader& header = profile.Header;
    out << "header " << header.Title << "|" << header.CreatedBy << "|" << header.Version << "|"
        << header.LastUpdate << "\n";
    TMemoryObject text(4096);
    for (TVolume* volume = profile.Volumes.Head; volume; volume = volume->Next) {
        out << "volume " << volume->Index << " " << volume->Name << "|" << volume->Studio << "|"
            << int{volume->Region} << "|" << int{volume->ChapterChange};
        for (std::size_t slot = 0; slot < TVolume::kIdSlots; ++slot) {
            out << " " << volume->IDHigh[slot] << "/" << volume->IDLow[slot];
        }
        out << "\n";
        for (TLanguage* language = volume->Languages.Head; language; language = language->Next) {
            language->Write(text, true, u"");
            out << "language " << plat::text::WideToAnsi(language->Name) << "\n"
                << std::string(text.Data, static_cast<std::size_t>(text.Used)) << "\n";
            for (const TScriptItems* item = language->Scripts.Head; item; item = item->Next) {
                const TScriptControl& script = *item->GetScript();
                script.Write(language->Styles, text);
                out << "script " << plat::text::WideToAnsi(profile.Pool->ArchiveName(script)) << "\n"
                    << std::string(text.Data, static_cast<std::size_t>(text.Used)) << "\n";
            }
        }
    }
    return out.str();
}

std::vector<std::string> MemberNames(const std::string& archive) {
    TZipControl zip;
    std::vector<std::string> names;
    if (zip.Open(archive.c_str())) {
        for (int32_t i = 0; i < zip.GetEntryCount(); ++i) {
            names.emplace_back(zip.GetEntry(i)->Name);
        }
    }
    return names;
}

std::string MemberText(const std::string& archive, const char* name) {
    TZipControl zip;
    char* buffer = nullptr;
    uint32_t size = 0;
    if (!zip.Open(archive.c_str()) || !zip.ReadEntry(name, buffer, size)) {
        return {};
    }
    std::string text(buffer, size);
    TZipControl::FreeBuffer(buffer);
    return text;
}
