#pragma once
// The scripts of one profile, each held once and shared by the languages that use it. A script is
// known by its name in the profile: the member name in the archive, or the path of a plain file,
// with its folders and its extension ('\' and '/' alike, compared without regard to case), so that
// "a/movie.ssa", "b/movie.ssa" and "a/movie.srt" are three scripts. The pool deletes a script when
// the last language using it lets go of it.
#include "foundation/TPointer.h"
#include "subtitles/profiles/TScriptItems.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TScriptControl;
class TScriptUser;
class TZipControl;

class TScriptsPool {
public:
    // New empty scripts take names "<kNewScriptBase>01.ssa" to "...199.ssa".
    static constexpr std::u16string_view kNewScriptBase = u"Script";
    static constexpr int32_t kMaxScriptNumber = 199;

    TScriptsPool();
    ~TScriptsPool();
    TScriptsPool(const TScriptsPool&) = delete;
    TScriptsPool& operator=(const TScriptsPool&) = delete;

    // Deletes every entry and its owned script; answers how many entries there were.
    int32_t Clear();

    // The entry of the script of that name, or of that script object; nullptr when absent.
    TScriptItems* FindByFileName(std::u16string_view name) const;
    TScriptItems* FindByScript(const TScriptControl* script) const;
    // Whether the name, its extension made "ssa", names a script (used by `language` when given).
    bool IsNameUsed(std::u16string_view name, const TScriptUser* language = nullptr) const;
    // The first "<base>NN.ssa" (01 to 199) that names no script; false when none is free.
    bool MakeScriptName(std::u16string_view base, std::u16string& name) const;

    // Registers a script for the language. A script already in the pool is shared; a new one is
    // taken over, and replaces (for every language using it) a different script of the same name;
    // without a script a new empty one is made under a free name. Answers the script, nullptr when
    // no language is given, the script is neither new nor the pool's, or no name is free.
    TScriptControl* AttachLanguage(TScriptUser* language, TScriptControl* script);
    TScriptControl* AttachLanguage(TScriptUser* language, std::unique_ptr<TScriptControl> script);

    // The language's script of that name: the pool's when it has one (`alreadyUsed` tells whether
    // the language used it already), else loaded (from the open archive when one is given, else
    // from the file) with the plug-in settings `advanced`. nullptr, with LastLoadError telling why,
    // when no name is given or the script does not load.
    TScriptControl* LoadScript(TScriptUser* language, TZipControl* archive, std::u16string_view name,
                               int32_t codePage, std::string_view advanced, bool& alreadyUsed);

    // With a script: the language lets go of it (the script is deleted when no language is left)
    // and its own entry is removed; answers how many entries the language still has. Without: the
    // language lets go of every script (its own list is its owner's to clear); answers 0.
    int32_t ReleaseScript(TScriptUser* language, const TScriptControl* script);

    // The name under which the script is stored in a profile archive and named by "load:" lines:
    // its name for an archive member or a relative path, the file name for a file given by an
    // absolute path; made unique in the pool ("movie-2.ssa") when two scripts would share it.
    std::u16string ArchiveName(const TScriptControl& script) const;
    // A script marked modified is stored as SubStation text: its archive name takes the extension
    // "ssa" (unique in the pool), its path becomes `folder` followed by that name and its type
    // "SSA4". False (nothing changed) for a script that is not modified.
    bool RenameModified(TScriptControl& script, std::u16string_view folder);

    // A name as the pool compares it: '/' between folders, "." and ".." resolved where they can be.
    static std::u16string NormalName(std::u16string_view name);
    static bool SameName(std::u16string_view a, std::u16string_view b);

    // The resolution of new empty scripts (the programs set the primary screen's size).
    int32_t NewScriptWidth = 384;
    int32_t NewScriptHeight = 288;
    // Why the last LoadScript gave no script.
    std::string LastLoadError;

    TPointer<TScriptItems> Entries;

private:
    TScriptItems* NewEntry();
    TScriptControl* Register(TScriptUser* language, TScriptItems& entry);
    void ReplaceScript(TScriptItems& entry, std::unique_ptr<TScriptControl> script);
    std::unique_ptr<TScriptControl> NewEmptyScript() const;
    // The archive names of every entry, in pool order.
    std::vector<std::u16string> ArchiveNames() const;
};
