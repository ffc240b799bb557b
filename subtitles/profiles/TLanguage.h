#pragma once
// One language of one volume of a profile: the scripts it uses (shared with the profile's other
// languages through the script pool), its titles made of selections over those scripts, its styles,
// info texts and readme. Its text form is the language profile, an 8-bit ".ds" file stored in a
// ".zds" archive or on its own, read by Load and written by Write.
#include "foundation/TMemoryObject.h"
#include "foundation/TPointer.h"
#include "platform/win/Types.h"
#include "subtitles/profiles/TScriptUser.h"
#include "subtitles/profiles/TTitle.h"
#include "subtitles/scripts/TStyles.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TScriptControl;
class TScriptsPool;
class TZipControl;

class TLanguage : public TListItem<TLanguage>, public TScriptUser {
public:
    // Widths of the texts in UTF-8 bytes (8-bit fields) or UTF-16 units.
    static constexpr std::size_t kMaxName = 259;
    static constexpr std::size_t kMaxPath = 259;
    static constexpr std::size_t kMaxDVDTitle = 254;
    static constexpr std::size_t kMaxCreatedBy = 99;
    static constexpr std::size_t kMaxVersion = 9;
    static constexpr std::size_t kMaxLastUpdate = 99;
    static constexpr std::size_t kMaxStudio = 149;
    static constexpr std::size_t kMaxPartNumber = 99;
    // Language profiles larger than this are not read.
    static constexpr std::size_t kMaxFileBytes = 16u << 20;
    // New style names are "<base>01" to "<base>199".
    static constexpr int32_t kMaxStyleNumber = 199;

    explicit TLanguage(TScriptsPool* pool = nullptr);
    ~TLanguage() override;

    // Sets the name, the entry (member name, or the file path when there is no archive) and the
    // archive path; the from-archive flag follows the archive path.
    void SetFile(std::u16string_view name, std::u16string_view entry, std::u16string_view archivePath);
    // Reads the language profile from the given open archive, else from the archive at the archive
    // path, else from the file named by the entry. True at once when loaded and not forced. False,
    // with the language as it was and the reason reported, when the profile cannot be read.
    // Damaged lines are reported and skipped; the rest loads.
    bool Load(TZipControl* archive, bool force);
    // Empties titles, styles and script entries (the pool lets go of the scripts), drops the readme
    // and marks the language not loaded.
    void Clear();

    // The pool's script of that name for this language, loaded when the pool has none (a relative
    // name of a plain language profile is taken from the profile's folder) with the decoder
    // plug-in's settings `advanced`; the type a "load:" line names is not needed, as a script's
    // type follows from its file. nullptr, with the reason in LastScriptError, when it does not load.
    TScriptControl* LoadScript(TZipControl* archive, std::u16string_view name,
                               std::u16string_view archivePath, std::string_view type,
                               std::string_view advanced, int32_t codePage);
    // Registers a script with the pool for this language (also taking its styles): a script of the
    // pool, or none for a new empty one.
    TScriptControl* AddScript(TScriptControl* script);
    TScriptControl* AddScript(std::unique_ptr<TScriptControl> script);
    // Detaches the script from this language; its selections go with it.
    void RemoveScript(TScriptControl* script);
    // Looks the script up again by its name (the archive is opened when the script came from one);
    // true when a script comes back.
    bool ReloadScript(TScriptControl* script);
    // Shows the decoder plug-in's settings dialog for the script over `parent`. When the plug-in
    // confirms, its setting (cut to TScriptControl::kMaxAdvanced bytes at a character boundary, empty
    // when it gives none) is stored in the script and handed back to the plug-in; true then. False,
    // with the script untouched, for no script, a native script, no plug-in, or a cancelled dialog.
    bool ShowScriptAdvanced(plat::win::HWND parent, TScriptControl* script);

    void AddStylesOfScript(const TScriptControl& script, bool keep) override;
    void ScriptReplaced(TScriptControl* old, TScriptControl* replacement) override;
    // Every style of the list put into the language, existing names overwritten.
    void AddStyles(const TPointer<TStyles>& styles);
    // A null record empties the style list. A style of the same name (without regard to case) is
    // overwritten unless `keep`; an absent one is appended unless `noAdd`. Answers whether it added.
    bool PutStyle(const TSubtitleStyleRecord* record, bool noAdd, bool keep);
    bool StoreStyle(const TSubtitleStyleRecord* record, bool noAdd);
    TSubtitleStyleRecord* FindStyle(std::u16string_view name);
    // The first "<base>NN" (01 to 199) that names no style; false when none is free.
    bool MakeStyleName(std::u16string_view base, std::u16string& name) const;

    // Makes the title with that number current, appended when absent and `create`; false when it is
    // absent and not created.
    bool FindTitle(int32_t number, bool create);
    // The pool's name checks: whether the name (extension made "ssa") names a script, of this
    // language only with `onlyMine`; the first free "<base>NN.ssa".
    bool ScriptNameExists(std::u16string_view name, bool onlyMine) const;
    bool MakeScriptName(std::u16string_view base, std::u16string& name) const;

    // Writes the language profile into `out` (emptied first). With `fileNamesOnly` the "load:" lines
    // name the scripts as the archive stores them, else by their paths. Modified scripts are
    // renamed to SubStation scripts below `folder` first.
    void Write(TMemoryObject& out, bool fileNamesOnly, std::u16string_view folder);

    // Section of the file being read.
    uint8_t Section = 0;
    TScriptsPool* Pool = nullptr;
    std::u16string Name;
    std::string DVDTitle;
    std::string CreatedBy;
    std::string Version;
    std::string LastUpdate;
    uint8_t Region = 0;
    std::string Studio;
    std::string PartNumber;
    uint8_t FramesPerSec = 0;
    std::u16string ArchivePath; // the ".zds" holding the language; empty for a plain file
    std::u16string Entry;       // member name in the archive, or the file path
    uint8_t Loaded = 0;
    // Lines of the language profile that the last Load skipped as damaged (each one reported).
    std::size_t LoadProblems = 0;
    uint8_t FromArchive = 0;
    std::unique_ptr<TMemoryObject> Readme;
    TPointer<TTitle> Titles;
    TPointer<TStyles> Styles;
    // Why the last LoadScript gave no script.
    std::string LastScriptError;

private:
    // Drops every selection (and the merged pages) over the script.
    void DropSelections(const TScriptControl* script);
};
