#include "editor/TProfileDocument.h"

#include "editor/IEditorDialogs.h"
#include "editor/TPellitConf.h"
#include "editor/TProfileHistory.h"
#include "editor/TShared.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "player/model/settings/Tag_VokradConfig.h"
#include "subtitles/profiles/TDVDProfile.h"

#include <filesystem>

namespace {

bool HasZdsExtension(std::u16string_view path) {
    return path.size() >= 4 && plat::text::EqualsNoCase(path.substr(path.size() - 4), u".zds");
}

} // namespace

bool TProfileDocument::OpenProfile(TDVDProfile* target, int32_t historyEntry) {
    if (target == nullptr && shared_.Views().Main != nullptr &&
        !shared_.Views().Main->ConfirmDiscardChanges()) {
        return false;
    }
    std::u16string path;
    if (target != nullptr || historyEntry < 0 || historyEntry > 3) {
        path = dialogs_.OpenFileName(shared_.Strings.GetText("Fil_OpProTitle"), VokradConfig().DVDScriptPath);
    } else {
        path = plat::text::AnsiToWide(PellitSettings().History[static_cast<std::size_t>(historyEntry)]);
    }
    if (path.empty()) {
        return false;
    }
    shared_.ShowWait(u"Loading Profile...", path);
    const bool loaded =
        target != nullptr ? target->Load(path, true, true) : LoadProfileFile(plat::text::WideToAnsi(path));
    shared_.HideWait();
    return loaded;
}

bool TProfileDocument::LoadProfileFile(const std::string& path) {
    TDVDProfile* document = shared_.Document();
    if (path.empty() || document == nullptr) {
        return true;
    }
    if (shared_.Views().Main != nullptr) {
        shared_.Views().Main->ClearViews();
    }
    TItemRegistry::Instance().ForgetAll();
    if (document->Load(plat::text::AnsiToWide(path), true, true)) {
        shared_.SetDocumentPath(plat::text::AnsiToWide(path));
        AddToHistory(path);
        shared_.RefreshProfileViews(nullptr);
        shared_.ProfileSaved();
        return true;
    }
    // The user agreed to leave the old document before it was replaced: no second question.
    shared_.ProfileSaved();
    shared_.NewProfile();
    shared_.RefreshProfileViews(nullptr);
    return false;
}

bool TProfileDocument::SaveProfileToFile(TDVDProfile& profile, std::u16string path, bool keepTemp) {
    if (path.empty() || !HasZdsExtension(path)) {
        std::u16string chosen = path.empty()
                                    ? dialogs_.SaveFileName(shared_.Strings.GetText("Fil_SvProTitle"),
                                                            VokradConfig().DVDScriptPath)
                                    : path;
        if (chosen.empty()) {
            return false;
        }
        path = HasZdsExtension(chosen) ? chosen : chosen + u".zds";
    }
    shared_.ShowWait(u"Saving Profile", u"");
    const bool written = profile.SaveAs(path);
    if (written) {
        if (!keepTemp) {
            EmptyTempFolder();
        }
        AddToHistory(plat::text::WideToAnsi(path));
        if (&profile == shared_.Document()) {
            shared_.SetDocumentPath(path);
            shared_.ProfileSaved();
        }
    }
    shared_.HideWait();
    return written;
}

void TProfileDocument::AddToHistory(const std::string& path) {
    if (!TProfileHistory(PellitSettings().History).Add(path)) {
        return;
    }
    if (shared_.Views().Main != nullptr) {
        shared_.Views().Main->RebuildHistoryMenu();
    }
    if (shared_.Config() != nullptr) {
        shared_.Config()->SaveHistory();
    }
}

void TProfileDocument::EmptyTempFolder() const {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(shared_.Folders().Temp, error)) {
        std::filesystem::remove_all(entry.path(), error);
    }
}
