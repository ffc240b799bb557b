#pragma once
// The editor's document actions: opening a profile (dialog, history entry, command line), loading
// it, and saving it as a ".zds" archive. A save that fails reports why, leaves the document modified
// and the history unchanged, and the archive writer leaves the old file whole.
#include <cstdint>
#include <string>

class IEditorDialogs;
class TDVDProfile;
class TShared;

class TProfileDocument {
public:
    static constexpr int32_t kNoHistoryEntry = 255;

    TProfileDocument(TShared& shared, IEditorDialogs& dialogs) : shared_(shared), dialogs_(dialogs) {}

    // Into `target` (a second profile) or, after the discard question, into the document; the file
    // is the history entry (0-3) or, for kNoHistoryEntry, the one chosen in the open dialog.
    bool OpenProfile(TDVDProfile* target, int32_t historyEntry);
    // Loads the document; on success the path joins the history. A profile that fails to load leaves
    // a new profile. An empty path changes nothing and answers true.
    bool LoadProfileFile(const std::string& path);
    // Writes the profile as a ".zds" archive at the path (the save dialog's choice when empty; the
    // extension ".zds" is added to a path without it). False, reported, when nothing was written.
    bool SaveProfileToFile(TDVDProfile& profile, std::u16string path, bool keepTemp);
    // The path becomes the first recent profile; the menu is rebuilt when the list changed.
    void AddToHistory(const std::string& path);

private:
    void EmptyTempFolder() const;

    TShared& shared_;
    IEditorDialogs& dialogs_;
};
