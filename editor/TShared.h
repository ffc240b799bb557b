#pragma once
// The editor-wide services: one instance for the run, created before the forms and destroyed after
// them. It holds the mode (local, or remote with a running player), the folders, the document, the
// current profile item and the video link, and it is the switchboard between the forms: a form
// that changes or selects a profile item calls it, and it tells the others. Every operation skips
// the forms that do not exist. GUI thread only.
#include "editor/IEditorViews.h"
#include "editor/TEditorFolders.h"
#include "editor/TMyVideo.h"
#include "editor/TProfileCursor.h"
#include "platform/win/Types.h"
#include "subtitles/translator/TStringCollection.h"

#include <cstdint>
#include <string>

class TDVDProfile;
class TLanguage;
class TPellitConf;
class TSelect;
class TTitle;
class TVolume;

class TShared {
public:
    // The "Main" collection filled with its defaults.
    TShared();

    struct TViews {
        IMainFormView* Main = nullptr;
        IEventsListingView* Listing = nullptr;
        IInfoView* Info = nullptr;
        IWaitView* Wait = nullptr;
        IWaveView* Wave = nullptr;
    };

    void SetViews(const TViews& views) { views_ = views; }
    const TViews& Views() const { return views_; }
    TMyVideo& Video() { return video_; }

    // Looks for the player's published main window; keeps it and answers the local-mode flag (true
    // when there is none).
    bool DetectPlayer();
    bool IsLocalMode() const { return local_; }
    plat::win::HWND PlayerWindow() const { return player_; }
    // "/EDITMODE:ON"; off: "/O:" with the document's path (quoted) or "/CMD:CLEARPROFSUBS", then
    // "/EDITMODE:OFF". Nothing arrives in local mode.
    void SetPlayerEditMode(bool on);

    void SetDocument(TDVDProfile* profile) { document_ = profile; }
    TDVDProfile* Document() const { return document_; }
    // The path the document was read from or last written to; empty for a new profile.
    const std::u16string& DocumentPath() const { return documentPath_; }
    void SetDocumentPath(std::u16string path) { documentPath_ = std::move(path); }
    void SetConfig(TPellitConf* config) { config_ = config; }
    TPellitConf* Config() const { return config_; }
    // The folders below the program folder; a test gives its own.
    void SetFolders(TEditorFolders folders) { folders_ = std::move(folders); }
    const TEditorFolders& Folders() const { return folders_; }

    // Change notification: the script of a changed select or timed script is marked modified, the
    // editors follow the grid, the title is rebuilt, the player gets the language 500 ms later
    // (unless noRefresh) and the document is modified.
    void ItemModified(const TProfileCursor* cursor, bool noRefresh);
    void ProfileSaved();
    // A new current item: title rebuilt, Styles menu, Info window unbound, filters, auto-refresh.
    void SelectionChanged(const TProfileCursor* cursor, bool force);
    // The listing shows the cursor; a select cursor makes its select the current one.
    void OpenItem(const TProfileCursor* cursor);
    // The whole profile (no cursor) or the given item becomes current and is opened. Without a
    // cursor the current item is the document's first select of its current language, else that
    // language's first timed script.
    void RefreshProfileViews(const TProfileCursor* cursor);
    // Asks before losing changes; empties the views and the document, which then holds one volume
    // "Unnamed..." with one language "English". False when the user declines.
    bool NewProfile();

    // The current item, completed with the document's current volume, its first language, the
    // current select and its script; zeroed without a document.
    TProfileCursor GetCurrentItem() const;
    TLanguage* GetCurrentLanguage() const;
    TVolume* GetCurrentVolume() const;
    bool IsEditingSelect() const { return editingSelect_; }
    TSelect* CurrentSelect() const;

    // Time mapping through the current select (unchanged without one).
    int32_t SelectToVideoTime(int32_t time) const;
    int32_t VideoToSelectTime(int32_t time) const;

    void ShowWait(std::u16string_view action, std::u16string_view info);
    void SetWaitInfo(std::u16string_view info);
    void HideWait();
    // Main window caption "Pellit - " followed by the name.
    void SetMainCaption(std::u16string_view name);
    void RestartAutoRefresh();
    void SetEventTimes(int32_t start, int32_t end);
    // The wave display marks the current event's start and end (-1 and -1 without an event).
    void MarkWaveRange(int32_t start, int32_t end);
    // Rebuilds the merged events of the cursor's title when it is another title than last time, or
    // when forced.
    void ShowTitleInPreview(const TProfileCursor* cursor, bool force);

    // The texts the forms share ("Main").
    TStringCollection Strings{"Main"};

private:
    TProfileCursor FirstItemOf(TDVDProfile& profile) const;

    TViews views_;
    TMyVideo video_;
    bool local_ = true;
    plat::win::HWND player_ = 0;
    TDVDProfile* document_ = nullptr;
    std::u16string documentPath_;
    TPellitConf* config_ = nullptr;
    TEditorFolders folders_;
    TProfileCursor current_;
    bool editingSelect_ = false;
    TItemRef<TTitle> shownTitle_;
};
