#include "subtitles/profiles/TDVDProfile.h"

#include "foundation/ErrorReport.h"
#include "foundation/FileIo.h"
#include "foundation/TMemoryObject.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "subtitles/profiles/ProfileField.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TProfileArchiveWriter.h"
#include "subtitles/profiles/TScriptsPool.h"
#include "subtitles/profiles/TTitle.h"
#include "subtitles/profiles/TVolumesReader.h"
#include "subtitles/profiles/TVolumesWriter.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/zip/ZipEntryName.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace {

constexpr const char* kVolumesMember = "volumes.vl";
constexpr const char* kReadmeMember = "readme.txt";
constexpr const char* kOldFormMember = "dvdscript.ds";

template <class T> void SwapLists(TPointer<T>& a, TPointer<T>& b) {
    std::swap(a.Head, b.Head);
    std::swap(a.Tail, b.Tail);
    std::swap(a.Current, b.Current);
    std::swap(a.Count, b.Count);
}

bool HasExtension(std::u16string_view path, std::u16string_view wanted) {
    std::u16string extension;
    return scrutils::GetFileExtension(path, extension) && plat::text::EqualsNoCase(extension, wanted);
}

} // namespace

TDVDProfile::TDVDProfile() : Pool(std::make_unique<TScriptsPool>()) {}

TDVDProfile::~TDVDProfile() {
    Clear();
    FileName.reset();
}

bool TDVDProfile::Load(std::u16string_view path, bool loadAll, bool noDefaultSelection) {
    TDVDProfile loaded;
    if (!loaded.Read(path, loadAll)) {
        return false;
    }
    TakeContent(loaded);
    SetFileName(path);
    if (!noDefaultSelection) {
        CreateDefaultSelect();
    }
    return true;
}

bool TDVDProfile::SaveAs(std::u16string_view path) {
    const std::u16string target(path);
    if (!TProfileArchiveWriter(*this).Store(target)) {
        return false;
    }
    SetFileName(target);
    return true;
}

void TDVDProfile::Clear() {
    CurrentLanguage = nullptr;
    SelectedVolume = nullptr;
    Volumes.Clear();
    Readme.reset();
    Header = TProfileHeader();
    ScratchScript.reset();
}

TVolume* TDVDProfile::AddVolume(std::u16string_view name) {
    TVolume* volume = Volumes.Add();
    volume->Pool = Pool.get();
    Volumes.Renumber();
    if (!name.empty()) {
        volume->Name = CutToField(plat::text::WideToAnsi(name), TVolume::kMaxName);
    }
    return volume;
}

bool TDVDProfile::LoadLanguageProfile(TVolume* volume, std::u16string_view entry,
                                      std::u16string_view archivePath) {
    const bool newVolume = volume == nullptr;
    if (newVolume) {
        volume = AddVolume();
    }
    volume->AddLanguage(u"English", {}, {});
    TLanguage* language = volume->CurrentLanguage();
    language->SetFile(u"English", entry, archivePath);
    const bool loaded = language->Load(Archive.IsOpen() ? &Archive : nullptr, false);
    if (newVolume) {
        if (!language->DVDTitle.empty()) {
            volume->Name = CutToField(language->DVDTitle, TVolume::kMaxName);
        }
        volume->CreatedBy = language->CreatedBy;
        volume->Version = language->Version;
        volume->LastUpdate = language->LastUpdate;
        volume->Region = language->Region;
        volume->Studio = language->Studio;
        volume->PartNumber = language->PartNumber;
    }
    return loaded;
}

bool TDVDProfile::LoadScriptFile(std::u16string_view path) {
    Clear();
    TVolume* volume = AddVolume(path);
    volume->AddLanguage(u"-", {}, {});
    TLanguage* language = volume->CurrentLanguage();
    if (language->LoadScript(nullptr, path, {}, {}, {}, 0) == nullptr) {
        ReportError(5, u"Unable to load the script : %s \n%hs\n", std::u16string(path), Pool->LastLoadError);
        return false;
    }
    language->Loaded = 1;
    SelectedVolume = volume;
    CurrentLanguage = language;
    return CreateDefaultSelect();
}

bool TDVDProfile::LoadAllLanguages() {
    bool unloaded = false;
    for (const TVolume* volume = Volumes.Head; volume && !unloaded; volume = volume->Next) {
        unloaded = volume->HasUnloadedLanguage();
    }
    if (!unloaded) {
        return true;
    }
    const bool openHere = !Archive.IsOpen() && Header.FromArchive != 0 && FileName != nullptr;
    if (openHere && !Archive.OpenW(FileName->c_str())) {
        ReportError(5, u"Unable to open file : %s \n", *FileName);
        return false;
    }
    bool loaded = true;
    for (TVolume* volume = Volumes.Head; volume; volume = volume->Next) {
        loaded = LoadLanguagesOf(*volume) && loaded;
    }
    if (openHere) {
        Archive.Close();
    }
    return loaded;
}

TVolume* TDVDProfile::GetVolume(int32_t number, bool makeCurrent) {
    TVolume* volume = SelectedVolume;
    if (number != 0) {
        volume = nullptr;
        for (TVolume* item = Volumes.Head; item; item = item->Next) {
            volume = item->Index == number ? item : volume;
        }
    }
    if (volume != nullptr && makeCurrent) {
        SelectVolume(*volume, false);
    }
    return volume;
}

TLanguage* TDVDProfile::GetLanguage(int32_t number, bool makeCurrent) {
    if (number == 0) {
        return CurrentLanguage;
    }
    TLanguage* language = SelectedVolume != nullptr ? SelectedVolume->GetLanguage(number - 1) : nullptr;
    if (language != nullptr && makeCurrent) {
        SelectedVolume->Languages.Current = language;
        CurrentLanguage = language;
    }
    return language;
}

bool TDVDProfile::SelectVolumeByDiscId(int32_t idHigh, int32_t idLow) {
    if (Volumes.Head == nullptr) {
        return true;
    }
    TVolume* match = nullptr;
    if (idHigh != 0 || idLow != 0) {
        for (TVolume* volume = Volumes.Head; volume && match == nullptr; volume = volume->Next) {
            match = volume->MatchesDiscId(idHigh, idLow) ? volume : nullptr;
        }
    }
    if (match != nullptr && match == SelectedVolume) {
        return false;
    }
    SelectVolume(match != nullptr ? *match : *Volumes.Head, true);
    return true;
}

bool TDVDProfile::UsesChapterChange() const {
    return SelectedVolume != nullptr && SelectedVolume->ChapterChange != 0;
}

bool TDVDProfile::CreateDefaultSelect() {
    TLanguage* language = SelectedVolume != nullptr ? SelectedVolume->CurrentLanguage() : nullptr;
    if (language == nullptr || language->Scripts.Head == nullptr || language->Titles.Head != nullptr) {
        return false;
    }
    TScriptControl* script = language->Scripts.Head->GetScript();
    if (script == nullptr || !language->FindTitle(1, true)) {
        return false;
    }
    TTitle* title = language->Titles.Current;
    int32_t first = 0;
    int32_t last = 0;
    GetScriptTimeRange(*script, first, last);
    TSelect* select = title->Selects.Add();
    select->FirstSub = first;
    select->DVDStart = first;
    select->LastSub = last;
    select->TitleNumber = 1;
    select->Name = "Auto";
    select->Script = script;
    select->Owner = title;
    title->SortSelections();
    title->Selects.Renumber();
    return true;
}

bool TDVDProfile::GetScriptTimeRange(const TScriptControl& script, int32_t& first, int32_t& last) {
    return TSelect::ScriptStartRange(script, first, last);
}

void TDVDProfile::WriteVolumes(TMemoryObject& out) const {
    TVolumesWriter::Write(*this, out);
}

bool TDVDProfile::Read(std::u16string_view path, bool loadAll) {
    const bool archive = HasExtension(path, u".zds");
    if (!archive && !HasExtension(path, u".ds")) {
        return LoadScriptFile(path);
    }
    Header.LoadAll = loadAll ? 1 : 0;
    ScratchScript = std::make_unique<TScriptControl>();
    if (!(archive ? ReadArchive(path) : ReadPlainLanguage(path))) {
        return false;
    }
    bool anyLanguage = false;
    for (const TVolume* volume = Volumes.Head; volume && !anyLanguage; volume = volume->Next) {
        anyLanguage = volume->HasLanguage();
    }
    if (!anyLanguage) {
        ReportError(5, u"No language profile found in : %s \n", std::u16string(path));
        return false;
    }
    SelectedVolume = Volumes.Head;
    const bool loaded = LoadSelectedLanguages() && CheckLoadedLanguages() && CheckArchiveScripts(path);
    Archive.Close();
    return loaded;
}

bool TDVDProfile::ReadPlainLanguage(std::u16string_view path) {
    const std::string file = plat::text::path::Normalize(plat::text::WideToAnsi(path));
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        ReportError(5, u"Unable to open file : %s \n", std::u16string(path));
        return false;
    }
    Header.ArchivePath.clear();
    Header.FromArchive = 0;
    if (!LoadLanguageProfile(nullptr, path, {})) {
        ReportError(5, u"Unable to read the language profile : %s \n", std::u16string(path));
        return false;
    }
    return true;
}

bool TDVDProfile::ReadArchive(std::u16string_view path) {
    if (!Archive.OpenW(std::u16string(path).c_str())) {
        ReportError(5, u"Unable to open file : %s \n", std::u16string(path));
        return false;
    }
    std::string volumes;
    std::string readme;
    bool haveVolumes = false;
    bool haveReadme = false;
    if (!ReadMember(path, kVolumesMember, volumes, haveVolumes) ||
        !ReadMember(path, kReadmeMember, readme, haveReadme)) {
        return false;
    }
    if (haveReadme) {
        Readme = std::make_unique<std::string>(std::move(readme));
    }
    const bool oldForm = !haveVolumes && Archive.FindEntry(kOldFormMember, nullptr, false) >= 0;
    if (!haveVolumes && !oldForm) {
        ReportError(5, u"Unable find file : dvdscript.ds into archive %s \n", std::u16string(path));
        return false;
    }
    Header.ArchivePath = std::u16string(path);
    Header.FromArchive = 1;
    if (oldForm) {
        ReportError(6, u"Reading %hs\n", kOldFormMember);
        if (!LoadLanguageProfile(nullptr, plat::text::AnsiToWide(kOldFormMember), path)) {
            ReportError(5, u"Unable to read the language profile : dvdscript.ds into archive %s \n",
                        std::u16string(path));
            return false;
        }
        return true;
    }
    TVolumesReader(*this).Read(volumes);
    return CheckLanguageMembers(path);
}

bool TDVDProfile::ReadMember(std::u16string_view path, const char* name, std::string& text, bool& present) {
    TZipEntry entry{};
    present = Archive.FindEntry(name, &entry, false) >= 0;
    text.clear();
    if (!present) {
        return true;
    }
    ReportError(6, u"Reading %hs\n", name);
    if (entry.UncompressedSize > kMaxProfileTextBytes) {
        ReportError(5, u"The file %hs into archive %s is too large \n", name, std::u16string(path));
        return false;
    }
    char* buffer = nullptr;
    uint32_t size = 0;
    if (entry.UncompressedSize > 0 && !Archive.ReadEntry(name, buffer, size)) {
        ReportError(5, u"Unable to read file : %hs into archive %s \n", name, std::u16string(path));
        return false;
    }
    text.assign(buffer != nullptr ? buffer : "", size);
    TZipControl::FreeBuffer(buffer);
    return true;
}

bool TDVDProfile::CheckLanguageMembers(std::u16string_view path) {
    for (const TVolume* volume = Volumes.Head; volume; volume = volume->Next) {
        for (const TLanguage* language = volume->Languages.Head; language; language = language->Next) {
            const std::string member = plat::text::WideToAnsi(language->Entry);
            if (!IsStorableName(member, path)) {
                return false;
            }
            if (Archive.FindEntry(member.c_str(), nullptr, false) < 0) {
                ReportError(5, u"Unable find file : %hs into archive %s \n", member, std::u16string(path));
                return false;
            }
        }
    }
    return true;
}

bool TDVDProfile::CheckLoadedLanguages() const {
    for (const TVolume* volume = Volumes.Head; volume; volume = volume->Next) {
        for (const TLanguage* language = volume->Languages.Head; language; language = language->Next) {
            if (language->LoadProblems > 0) {
                ReportError(5, u"The language profile %s has lines that cannot be read \n", language->Entry);
                return false;
            }
        }
    }
    return true;
}

bool TDVDProfile::CheckArchiveScripts(std::u16string_view path) const {
    for (const TScriptItems* entry = Pool->Entries.Head; entry; entry = entry->Next) {
        const TScriptControl* script = entry->GetScript();
        if (script != nullptr && script->FromArchive != 0 &&
            !IsStorableName(plat::text::WideToAnsi(Pool->ArchiveName(*script)), path)) {
            return false;
        }
    }
    return true;
}

bool TDVDProfile::IsStorableName(const std::string& member, std::u16string_view path) {
    if (zipname::ForNewEntry(member)) {
        return true;
    }
    ReportError(5, u"The archive %s names the member \"%hs\", which is no name inside an archive \n",
                std::u16string(path), member);
    return false;
}

bool TDVDProfile::LoadSelectedLanguages() {
    if (Header.LoadAll != 0) {
        CurrentLanguage = SelectedVolume->CurrentLanguage();
        return LoadAllLanguages();
    }
    CurrentLanguage = SelectedVolume->CurrentLanguage();
    return LoadLanguagesOf(*SelectedVolume);
}

bool TDVDProfile::LoadLanguagesOf(TVolume& volume) {
    volume.LoadLanguages(Archive.IsOpen() ? &Archive : nullptr, false);
    for (const TLanguage* language = volume.Languages.Head; language; language = language->Next) {
        // A language with no file yet is new: it has nothing to read.
        if (language->Loaded == 0 && !language->Entry.empty()) {
            ReportError(5, u"Unable to read the language profile : %s \n", language->Entry);
            return false;
        }
    }
    return true;
}

void TDVDProfile::SelectVolume(TVolume& volume, bool releasePrevious) {
    const bool loadAll = Header.LoadAll != 0;
    if (releasePrevious && !loadAll && SelectedVolume != nullptr) {
        SelectedVolume->UnloadLanguages();
    }
    SelectedVolume = &volume;
    volume.Languages.First();
    CurrentLanguage = volume.Languages.Head;
    if (!loadAll) {
        LoadLanguagesOf(volume);
    }
}

void TDVDProfile::TakeContent(TDVDProfile& other) {
    std::swap(ScratchScript, other.ScratchScript);
    SwapLists(VolumeColumns, other.VolumeColumns);
    SwapLists(LanguageColumns, other.LanguageColumns);
    std::swap(Pool, other.Pool);
    SwapLists(Volumes, other.Volumes);
    std::swap(CurrentLanguage, other.CurrentLanguage);
    std::swap(SelectedVolume, other.SelectedVolume);
    std::swap(Header, other.Header);
    std::swap(Readme, other.Readme);
}
