#pragma once
// Stores a profile as a ".zds" archive. When the profile came from an archive, that file is first
// copied to the same name plus ".bak", which then serves as the source of the scripts stored
// unchanged. The new archive is built in memory and saved beside the target, then renamed over it,
// so the previous archive stays whole until the new one is complete. Members, each name once:
// "volumes.vl"; each script of the pool under its archive name (scripts changed in memory as
// SubStation text, renamed to ".ssa" first; others copied from their file or the source archive);
// each language as "<n>-<name>.ds" with its readme "<n>-<name>.txt"; the profile's "Readme.txt".
// On failure, reported through the error control, the profile and the old archive are unchanged.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TDVDProfile;
class TLanguage;
class TScriptControl;
class TZipControl;

class TProfileArchiveWriter {
public:
    explicit TProfileArchiveWriter(TDVDProfile& profile);

    bool Store(std::u16string_view target);

private:
    // What storing changes in the profile's scripts and languages, to put back on failure.
    struct TScriptState {
        TScriptControl* Script;
        std::u16string Path;
        std::u16string FileName;
        std::string Type;
        uint8_t Modified;
        uint8_t FromArchive;
        uint8_t FromPlainFile;
    };
    struct TLanguageState {
        TLanguage* Language;
        std::u16string Entry;
        std::u16string ArchivePath;
        uint8_t FromArchive;
    };

    bool OpenSource(TZipControl& source);
    bool Write(TZipControl& source, TZipControl& target, std::u16string_view targetPath);
    bool AddScripts(TZipControl& source, TZipControl& target);
    bool AddScript(TZipControl& source, TZipControl& target, TScriptControl& script);
    bool AddLanguages(TZipControl& target, std::u16string_view targetPath);
    // Adds the member unless one of that name was added before.
    bool AddMember(TZipControl& target, const std::string& name, std::string_view data);
    bool WasAdded(const std::string& name) const;
    // Records the name as added; answers true.
    bool Added(const std::string& name);
    void SaveState();
    void RestoreState();
    // After a successful store: languages and scripts as the new archive holds them.
    void Settle();
    bool Fail(const char16_t* message);

    TDVDProfile& profile_;
    std::vector<std::string> added_;
    std::string failedMember_; // the member that could not be added, for the report
    std::vector<TScriptState> scripts_;
    std::vector<TLanguageState> languages_;
};
