#pragma once
// The profile document: the subtitles of one work in volumes (discs), each with its languages,
// which share the profile's script pool. A profile is read from a ".zds" archive (or its older form
// holding "dvdscript.ds"), from a plain language profile ".ds", or made from one subtitle script
// file of any other extension; it is stored as a ".zds" archive.
#include "foundation/TPointer.h"
#include "subtitles/profiles/TBaseProfile.h"
#include "subtitles/profiles/TFormat.h"
#include "subtitles/profiles/TProfileHeader.h"
#include "subtitles/profiles/TVolume.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TLanguage;
class TMemoryObject;
class TScriptControl;
class TScriptsPool;

class TDVDProfile : public TBaseProfile {
public:
    // Profile texts in an archive ("volumes.vl", language files, readmes) larger than this are
    // refused: no real one comes near it.
    static constexpr uint32_t kMaxProfileTextBytes = 4u << 20;

    TDVDProfile();
    ~TDVDProfile() override;

    // Reads the profile by the path's extension. On failure, reported through the error control,
    // the profile keeps what it held. Unless `noDefaultSelection`, a language with scripts and no
    // titles gets a title 1 with the selection "Auto" over its first script.
    bool Load(std::u16string_view path, bool loadAll, bool noDefaultSelection) override;
    // Stores the profile as a ".zds" archive (see TProfileArchiveWriter); false, reported, on failure.
    bool SaveAs(std::u16string_view path) override;

    // No current volume or language; volumes, readme, header block and scratch script deleted.
    void Clear();
    // Appends a volume sharing the profile's pool, named (the name in 8-bit text, "Unnamed..." for
    // none); it becomes the list's current volume.
    TVolume* AddVolume(std::u16string_view name = {});
    // Adds a language "English" to the volume (to a new volume when none is given, which then takes
    // the language's info texts) with the entry (member or path) and archive path, and loads it.
    bool LoadLanguageProfile(TVolume* volume, std::u16string_view entry, std::u16string_view archivePath);
    // Makes a one-volume profile of a subtitle script file: the volume named by the path, one
    // language "-" with the script, and the default selection. False when the script does not load.
    bool LoadScriptFile(std::u16string_view path);
    // Loads the languages of every volume, opening the archive by the file name when one is not
    // loaded yet; false, reported, when a language fails.
    bool LoadAllLanguages();
    // Number 0 gives the selected volume; else the volume of that number (nullptr above the count).
    // With `makeCurrent` it becomes the selected volume, its first language current and, unless
    // everything is loaded, its languages are loaded.
    TVolume* GetVolume(int32_t number, bool makeCurrent);
    // The same for the languages of the selected volume (0 = the current language).
    TLanguage* GetLanguage(int32_t number, bool makeCurrent);
    // Selects the volume recognised by the disc identifier (the first volume when none is); false
    // only when the matching volume is already selected.
    bool SelectVolumeByDiscId(int32_t idHigh, int32_t idLow);
    bool UsesChapterChange() const;
    // Gives the current language of the selected volume, when it has scripts and no titles, title 1
    // with the selection "Auto" over its first script; true when it applied.
    bool CreateDefaultSelect();
    // The smallest and largest start among the script's events that are not comments; false (both
    // 0) when there is none.
    static bool GetScriptTimeRange(const TScriptControl& script, int32_t& first, int32_t& last);
    // Writes the volume file "volumes.vl" into `out` (emptied first).
    void WriteVolumes(TMemoryObject& out) const;

    std::unique_ptr<TScriptControl> ScratchScript; // an empty script made anew at each load
    TPointer<TFormat> VolumeColumns;
    TPointer<TFormat> LanguageColumns;
    std::unique_ptr<TScriptsPool> Pool; // held apart so that a loaded profile can take another's
    TPointer<TVolume> Volumes;
    TLanguage* CurrentLanguage = nullptr;
    TVolume* SelectedVolume = nullptr;
    TProfileHeader Header;
    std::unique_ptr<std::string> Readme; // the profile's readme, none when it has none

private:
    // Reads the profile at `path` into this empty profile; false, reported, on failure.
    bool Read(std::u16string_view path, bool loadAll);
    bool ReadPlainLanguage(std::u16string_view path);
    bool ReadArchive(std::u16string_view path);
    // Reads an archive member as text. False, reported, when it is damaged or too large; an absent
    // member answers true with `present` false.
    bool ReadMember(std::u16string_view path, const char* name, std::string& text, bool& present);
    // Every language names a member of the open archive; false, reported, for the first that does not.
    bool CheckLanguageMembers(std::u16string_view path);
    // No language read has damaged lines, which storing the profile again would lose; false,
    // reported, for the first that has.
    bool CheckLoadedLanguages() const;
    // Every script read from the archive has a name it can be stored under again; false, reported,
    // for the first that has not.
    bool CheckArchiveScripts(std::u16string_view path) const;
    // Whether the member name stays inside an archive's folder; reported when it does not.
    static bool IsStorableName(const std::string& member, std::u16string_view path);
    // Loads what the load flag asks for after reading; false, reported, when a language fails.
    bool LoadSelectedLanguages();
    bool LoadLanguagesOf(TVolume& volume);
    void SelectVolume(TVolume& volume, bool releasePrevious);
    // Takes the other profile's content; the other keeps this profile's former content.
    void TakeContent(TDVDProfile& other);
};
