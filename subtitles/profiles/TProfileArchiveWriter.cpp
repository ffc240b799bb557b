#include "subtitles/profiles/TProfileArchiveWriter.h"

#include "foundation/ErrorReport.h"
#include "foundation/TMemoryObject.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TScriptsPool.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptControl.h"
#include "subtitles/zip/TZipControl.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr int32_t kTextGrowStep = 65536;

std::string_view Bytes(const TMemoryObject& buffer) {
    return {buffer.Data, static_cast<std::size_t>(buffer.Used)};
}

// A readme as stored: its text without the terminating zero bytes it is kept with.
std::string_view ReadmeText(std::string_view text) {
    const std::size_t end = text.find_last_not_of('\0');
    return text.substr(0, end == std::string_view::npos ? 0 : end + 1);
}

// The styles a modified script is written with: those of the first language that uses it.
const TPointer<TStyles>& StylesFor(const TScriptsPool& pool, const TScriptControl& script) {
    const TScriptItems* entry = pool.FindByScript(&script);
    const TLanguage* language =
        entry != nullptr ? dynamic_cast<const TLanguage*>(entry->GetLanguage(0)) : nullptr;
    return language != nullptr ? language->Styles : script.Styles;
}

} // namespace

TProfileArchiveWriter::TProfileArchiveWriter(TDVDProfile& profile) : profile_(profile) {}

bool TProfileArchiveWriter::Store(std::u16string_view target) {
    std::u16string extension;
    if (!scrutils::GetFileExtension(target, extension) || !plat::text::EqualsNoCase(extension, u".zds")) {
        ReportError(5, u"A profile is stored as a .zds archive, not as : %s \n", std::u16string(target));
        return false;
    }
    if (!profile_.LoadAllLanguages()) {
        return false;
    }
    SaveState();
    TZipControl source;
    if (!OpenSource(source)) {
        return Fail(u"Unable to Open Source File");
    }
    TZipControl archive;
    if (!archive.CreateW(std::u16string(target).c_str())) {
        return Fail(u"Unable to Open Destination File");
    }
    if (!Write(source, archive, target)) {
        archive.Discard();
        return Fail(u"Unable to Add to Zip");
    }
    if (!archive.Close()) {
        return Fail(u"Unable to Save Destination File");
    }
    Settle();
    profile_.Header.ArchivePath = std::u16string(target);
    profile_.Header.FromArchive = 1;
    return true;
}

bool TProfileArchiveWriter::OpenSource(TZipControl& source) {
    const TProfileHeader& header = profile_.Header;
    if (header.FromArchive == 0 || header.ArchivePath.empty()) {
        return true;
    }
    const std::string from = plat::text::path::Normalize(plat::text::WideToAnsi(header.ArchivePath));
    const std::string backup = from + ".bak";
    std::error_code error;
    std::filesystem::copy_file(from, backup, std::filesystem::copy_options::overwrite_existing, error);
    return !error && source.Open(backup.c_str());
}

bool TProfileArchiveWriter::Write(TZipControl& source, TZipControl& target, std::u16string_view targetPath) {
    TMemoryObject volumes(kTextGrowStep);
    profile_.WriteVolumes(volumes);
    if (!AddMember(target, "volumes.vl", Bytes(volumes)) || !AddScripts(source, target) ||
        !AddLanguages(target, targetPath)) {
        return false;
    }
    return profile_.Readme == nullptr || AddMember(target, "Readme.txt", ReadmeText(*profile_.Readme));
}

bool TProfileArchiveWriter::AddScripts(TZipControl& source, TZipControl& target) {
    TScriptsPool& pool = *profile_.Pool;
    // Scripts changed in memory are stored as SubStation text, so they take the extension "ssa"
    // before any name is given out (a decoded script must not keep the name of its source format).
    for (TScriptItems* entry = pool.Entries.Head; entry; entry = entry->Next) {
        if (entry->GetScript() != nullptr) {
            pool.RenameModified(*entry->GetScript(), u"");
        }
    }
    for (TScriptItems* entry = pool.Entries.Head; entry; entry = entry->Next) {
        if (entry->GetScript() != nullptr && !AddScript(source, target, *entry->GetScript())) {
            return false;
        }
    }
    return true;
}

bool TProfileArchiveWriter::AddScript(TZipControl& source, TZipControl& target, TScriptControl& script) {
    const std::string name = plat::text::WideToAnsi(profile_.Pool->ArchiveName(script));
    bool added = false;
    if (script.Modified != 0) {
        TMemoryObject text(kTextGrowStep);
        script.Write(StylesFor(*profile_.Pool, script), text);
        added = AddMember(target, name, Bytes(text));
    } else if (script.FromArchive == 0) {
        added = WasAdded(name) ||
                (target.AddFileW(plat::text::AnsiToWide(name).c_str(), script.Path.c_str()) && Added(name));
    } else {
        char* buffer = nullptr;
        uint32_t size = 0;
        added = source.IsOpen() && source.ReadEntryW(script.Path.c_str(), buffer, size) &&
                AddMember(target, name, std::string_view(buffer, size));
        TZipControl::FreeBuffer(buffer);
    }
    script.Modified = 0;
    failedMember_ = added ? std::string() : name;
    return added;
}

bool TProfileArchiveWriter::AddLanguages(TZipControl& target, std::u16string_view targetPath) {
    int number = 0;
    TMemoryObject text(kTextGrowStep);
    for (TVolume* volume = profile_.Volumes.Head; volume; volume = volume->Next) {
        for (TLanguage* language = volume->Languages.Head; language; language = language->Next) {
            const std::string stem = std::to_string(++number) + "-" + plat::text::WideToAnsi(language->Name);
            language->SetFile(language->Name, plat::text::AnsiToWide(stem + ".ds"), targetPath);
            language->Write(text, true, u"");
            if (!AddMember(target, stem + ".ds", Bytes(text)) ||
                (language->Readme != nullptr &&
                 !AddMember(target, stem + ".txt", ReadmeText(Bytes(*language->Readme))))) {
                return false;
            }
        }
    }
    return true;
}

bool TProfileArchiveWriter::AddMember(TZipControl& target, const std::string& name, std::string_view data) {
    if (WasAdded(name)) {
        return true;
    }
    if (!target.AddEntry(name.c_str(), data.data(), static_cast<uint32_t>(data.size()))) {
        failedMember_ = name;
        return false;
    }
    return Added(name);
}

bool TProfileArchiveWriter::WasAdded(const std::string& name) const {
    const auto same = [&](const std::string& used) { return plat::text::EqualsNoCaseA(used, name); };
    return std::any_of(added_.begin(), added_.end(), same);
}

bool TProfileArchiveWriter::Added(const std::string& name) {
    added_.push_back(name);
    return true;
}

void TProfileArchiveWriter::SaveState() {
    for (TScriptItems* entry = profile_.Pool->Entries.Head; entry; entry = entry->Next) {
        if (TScriptControl* script = entry->GetScript()) {
            scripts_.push_back({script, script->Path, script->FileName, script->Type, script->Modified,
                                script->FromArchive, script->FromPlainFile});
        }
    }
    for (TVolume* volume = profile_.Volumes.Head; volume; volume = volume->Next) {
        for (TLanguage* language = volume->Languages.Head; language; language = language->Next) {
            languages_.push_back({language, language->Entry, language->ArchivePath, language->FromArchive});
        }
    }
}

void TProfileArchiveWriter::RestoreState() {
    for (const TScriptState& state : scripts_) {
        TScriptControl& script = *state.Script;
        script.Path = state.Path;
        script.FileName = state.FileName;
        script.Type = state.Type;
        script.Modified = state.Modified;
        script.FromArchive = state.FromArchive;
        script.FromPlainFile = state.FromPlainFile;
    }
    for (const TLanguageState& state : languages_) {
        state.Language->SetFile(state.Language->Name, state.Entry, state.ArchivePath);
        state.Language->FromArchive = state.FromArchive;
    }
}

void TProfileArchiveWriter::Settle() {
    // The languages in memory are what the new archive holds.
    for (const TLanguageState& state : languages_) {
        state.Language->Loaded = 1;
    }
    // Every script now lives in the new archive under its archive name, which the language files
    // name, so that the next store finds it there.
    std::vector<std::u16string> names;
    for (const TScriptState& state : scripts_) {
        names.push_back(profile_.Pool->ArchiveName(*state.Script));
    }
    for (std::size_t i = 0; i < scripts_.size(); ++i) {
        TScriptControl& script = *scripts_[i].Script;
        script.Path = names[i];
        scrutils::ExtractFileName(names[i], script.FileName);
        script.FromArchive = 1;
        script.FromPlainFile = 0;
    }
}

bool TProfileArchiveWriter::Fail(const char16_t* message) {
    if (failedMember_.empty()) {
        ReportError(5, u"%s", message);
    } else {
        ReportError(5, u"%s\n%hs", message, failedMember_);
    }
    RestoreState();
    return false;
}
