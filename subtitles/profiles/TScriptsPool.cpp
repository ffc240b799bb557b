#include "subtitles/profiles/TScriptsPool.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Format.h"
#include "platform/text/Path.h"
#include "subtitles/profiles/TScriptUser.h"
#include "subtitles/scripts/ScrUtils.h"
#include "subtitles/scripts/TScriptControl.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

namespace {

bool IsAbsoluteName(std::u16string_view name) {
    const bool drive = name.size() >= 2 && name[1] == u':' &&
                       ((name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z'));
    return drive || (!name.empty() && name[0] == u'/');
}

bool Contains(const std::vector<std::u16string>& names, std::u16string_view name) {
    return std::any_of(names.begin(), names.end(),
                       [name](const std::u16string& used) { return plat::text::EqualsNoCase(used, name); });
}

// "stem.ext", else "stem-2.ext", "stem-3.ext", ... whichever `taken` does not hold first.
std::u16string UniqueName(const std::u16string& name, const std::vector<std::u16string>& taken) {
    if (!Contains(taken, name)) {
        return name;
    }
    const std::string narrow = plat::text::WideToAnsi(name);
    const std::string folder = plat::text::path::Folder(narrow);
    const std::string stem = plat::text::path::StripExtension(plat::text::path::FileName(narrow));
    const std::string extension = plat::text::path::Extension(narrow);
    for (std::size_t number = 2;; ++number) {
        const std::string file = stem + "-" + std::to_string(number) + extension;
        const std::u16string candidate =
            plat::text::AnsiToWide(folder.empty() ? file : plat::text::path::Join(folder, file));
        if (!Contains(taken, candidate)) {
            return candidate;
        }
    }
}

} // namespace

TScriptsPool::TScriptsPool() = default;

TScriptsPool::~TScriptsPool() {
    Clear();
}

int32_t TScriptsPool::Clear() {
    return Entries.Clear();
}

std::u16string TScriptsPool::NormalName(std::u16string_view name) {
    const std::string normal = plat::text::path::Normalize(plat::text::WideToAnsi(name));
    if (normal.empty()) {
        return {};
    }
    std::string lexical = std::filesystem::path(normal).lexically_normal().generic_string();
    if (lexical == ".") {
        return {};
    }
    return plat::text::AnsiToWide(lexical);
}

bool TScriptsPool::SameName(std::u16string_view a, std::u16string_view b) {
    return plat::text::EqualsNoCase(NormalName(a), NormalName(b));
}

TScriptItems* TScriptsPool::FindByFileName(std::u16string_view name) const {
    const std::u16string wanted = NormalName(name);
    if (wanted.empty()) {
        return nullptr;
    }
    for (TScriptItems* entry = Entries.Head; entry; entry = entry->Next) {
        const TScriptControl* script = entry->GetScript();
        if (script && plat::text::EqualsNoCase(NormalName(script->Path), wanted)) {
            return entry;
        }
    }
    return nullptr;
}

TScriptItems* TScriptsPool::FindByScript(const TScriptControl* script) const {
    for (TScriptItems* entry = Entries.Head; entry; entry = entry->Next) {
        if (script && entry->GetScript() == script) {
            return entry;
        }
    }
    return nullptr;
}

bool TScriptsPool::IsNameUsed(std::u16string_view name, const TScriptUser* language) const {
    std::u16string native = NormalName(name);
    scrutils::ChangeFileExtension(native, u"ssa");
    const TScriptItems* entry = FindByFileName(native);
    return entry && (!language || entry->UsesLanguage(language));
}

bool TScriptsPool::MakeScriptName(std::u16string_view base, std::u16string& name) const {
    // The pool's names are normalised once, so finding a free name stays linear in the pool.
    std::unordered_set<std::u16string> used;
    for (const TScriptItems* entry = Entries.Head; entry; entry = entry->Next) {
        if (const TScriptControl* script = entry->GetScript()) {
            used.insert(plat::text::FoldCase(NormalName(script->Path)));
        }
    }
    for (int32_t number = 1; number <= kMaxScriptNumber; ++number) {
        std::u16string candidate(base);
        const std::string digits = plat::text::FormatA("%02d", number);
        candidate.append(digits.begin(), digits.end());
        candidate += u".ssa";
        if (!used.contains(plat::text::FoldCase(NormalName(candidate)))) {
            name = std::move(candidate);
            return true;
        }
    }
    return false;
}

TScriptItems* TScriptsPool::NewEntry() {
    return Entries.Insert(Entries.Tail, std::make_unique<TScriptItems>());
}

TScriptControl* TScriptsPool::Register(TScriptUser* language, TScriptItems& entry) {
    TScriptControl* script = entry.GetScript();
    entry.AddLanguage(language);
    language->Scripts.Insert(language->Scripts.Tail, std::make_unique<TScriptItems>())->SetScript(script);
    language->AddStylesOfScript(*script, false);
    return script;
}

TScriptControl* TScriptsPool::AttachLanguage(TScriptUser* language, TScriptControl* script) {
    if (!language) {
        return nullptr;
    }
    if (script) {
        TScriptItems* entry = FindByScript(script);
        return entry ? Register(language, *entry) : nullptr;
    }
    std::unique_ptr<TScriptControl> empty = NewEmptyScript();
    if (!empty) {
        return nullptr;
    }
    TScriptItems* entry = NewEntry();
    entry->SetScript(std::move(empty));
    return Register(language, *entry);
}

TScriptControl* TScriptsPool::AttachLanguage(TScriptUser* language, std::unique_ptr<TScriptControl> script) {
    if (!language || !script) {
        return nullptr;
    }
    TScriptItems* entry = FindByFileName(script->Path);
    if (entry) {
        ReplaceScript(*entry, std::move(script));
    } else {
        entry = NewEntry();
        entry->SetScript(std::move(script));
    }
    return Register(language, *entry);
}

// Every language that used the entry's script switches to the replacement before it is deleted.
void TScriptsPool::ReplaceScript(TScriptItems& entry, std::unique_ptr<TScriptControl> script) {
    TScriptControl* old = entry.GetScript();
    for (int32_t index = 0; index < entry.LanguageCount(); ++index) {
        TScriptUser* language = entry.GetLanguage(index);
        for (TScriptItems* own = language->Scripts.Head; own; own = own->Next) {
            if (own->GetScript() == old) {
                own->SetScript(script.get());
            }
        }
        language->ScriptReplaced(old, script.get());
    }
    entry.SetScript(std::move(script));
}

std::unique_ptr<TScriptControl> TScriptsPool::NewEmptyScript() const {
    std::u16string name;
    if (!MakeScriptName(kNewScriptBase, name)) {
        return nullptr;
    }
    auto script = std::make_unique<TScriptControl>();
    script->Path = name;
    script->FileName = name;
    script->Type = "SSA4";
    script->PlayResX = NewScriptWidth;
    script->PlayResY = NewScriptHeight;
    script->Modified = 1;
    return script;
}

TScriptControl* TScriptsPool::LoadScript(TScriptUser* language, TZipControl* archive,
                                         std::u16string_view name, int32_t codePage,
                                         std::string_view advanced, bool& alreadyUsed) {
    alreadyUsed = false;
    LastLoadError.clear();
    if (!language || NormalName(name).empty()) {
        LastLoadError = "No script name is given.";
        return nullptr;
    }
    if (name.size() > TScriptControl::kMaxPath) {
        LastLoadError =
            "The script name is longer than " + std::to_string(TScriptControl::kMaxPath) + " characters.";
        return nullptr;
    }
    if (TScriptItems* entry = FindByFileName(name)) {
        if (entry->UsesLanguage(language)) {
            alreadyUsed = true;
            return entry->GetScript();
        }
        return Register(language, *entry);
    }
    auto script = std::make_unique<TScriptControl>();
    script->Advanced =
        std::string(advanced.substr(0, plat::text::Utf8CutLength(advanced, TScriptControl::kMaxAdvanced)));
    script->AdvancedLength = static_cast<int32_t>(script->Advanced.size());
    if (!script->Load(archive, name, codePage, false)) {
        LastLoadError = script->LoadError;
        return nullptr;
    }
    TScriptControl* loaded = AttachLanguage(language, std::move(script));
    language->AddStylesOfScript(*loaded, true);
    return loaded;
}

int32_t TScriptsPool::ReleaseScript(TScriptUser* language, const TScriptControl* script) {
    if (!language) {
        return 0;
    }
    for (TScriptItems* entry = Entries.Head; entry;) {
        TScriptItems* next = entry->Next;
        if ((!script || entry->GetScript() == script) && entry->UsesLanguage(language)) {
            entry->RemoveLanguage(language);
            if (entry->LanguageCount() == 0) {
                Entries.Delete(entry);
            }
        }
        entry = next;
    }
    if (!script) {
        return 0;
    }
    for (TScriptItems* own = language->Scripts.Head; own;) {
        TScriptItems* next = own->Next;
        if (own->GetScript() == script) {
            language->Scripts.Delete(own);
        }
        own = next;
    }
    return language->Scripts.Count;
}

// Names of archive members and relative paths are kept; files given by absolute paths take their
// file names, in pool order, each made unique against every name given before.
std::vector<std::u16string> TScriptsPool::ArchiveNames() const {
    std::vector<std::u16string> names;
    for (const TScriptItems* entry = Entries.Head; entry; entry = entry->Next) {
        const std::u16string name =
            entry->GetScript() ? NormalName(entry->GetScript()->Path) : std::u16string();
        if (!IsAbsoluteName(name) && !name.empty()) {
            names.push_back(name);
        }
    }
    std::vector<std::u16string> ordered;
    for (const TScriptItems* entry = Entries.Head; entry; entry = entry->Next) {
        const std::u16string name =
            entry->GetScript() ? NormalName(entry->GetScript()->Path) : std::u16string();
        if (!IsAbsoluteName(name)) {
            ordered.push_back(name);
            continue;
        }
        std::u16string file;
        scrutils::ExtractFileName(name, file);
        file = UniqueName(file, names);
        names.push_back(file);
        ordered.push_back(file);
    }
    return ordered;
}

std::u16string TScriptsPool::ArchiveName(const TScriptControl& script) const {
    const std::vector<std::u16string> names = ArchiveNames();
    std::size_t index = 0;
    for (const TScriptItems* entry = Entries.Head; entry; entry = entry->Next, ++index) {
        if (entry->GetScript() == &script) {
            return names[index];
        }
    }
    const std::u16string name = NormalName(script.Path);
    std::u16string file;
    scrutils::ExtractFileName(name, file);
    return IsAbsoluteName(name) ? file : name;
}

bool TScriptsPool::RenameModified(TScriptControl& script, std::u16string_view folder) {
    if (!script.Modified) {
        return false;
    }
    const std::u16string current = ArchiveName(script);
    std::u16string name = current;
    scrutils::ChangeFileExtension(name, u"ssa");
    if (!plat::text::EqualsNoCase(name, current)) {
        std::vector<std::u16string> taken = ArchiveNames();
        std::erase_if(taken,
                      [&](const std::u16string& used) { return plat::text::EqualsNoCase(used, current); });
        name = UniqueName(name, taken);
    }
    script.Path = std::u16string(folder) + name;
    scrutils::ExtractFileName(name, script.FileName);
    script.Type = "SSA4";
    return true;
}
