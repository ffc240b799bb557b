#include "editor/TShared.h"

#include "editor/MainStrings.h"
#include "editor/SelectTimeMapping.h"
#include "editor/TEditorCommandLine.h"
#include "editor/TSendToRemoteCore.h"
#include "platform/text/CodePage.h"
#include "platform/win/Peer.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/scripts/TScriptControl.h"

namespace win = plat::win;

TShared::TShared() {
    FillMainStrings(Strings);
}

bool TShared::DetectPlayer() {
    player_ = win::FindPeerWindow(TSendToRemoteCore::kPlayerClass, TSendToRemoteCore::kPlayerTitle);
    local_ = player_ == 0;
    return local_;
}

void TShared::SetPlayerEditMode(bool on) {
    if (on) {
        video_.SendPlayerCommand(player_, "/EDITMODE:ON");
        return;
    }
    if (!documentPath_.empty()) {
        video_.SendPlayerCommand(player_,
                                 "/O:" + TEditorCommandLine::Quote(plat::text::WideToAnsi(documentPath_)));
    } else {
        video_.SendPlayerCommand(player_, "/CMD:CLEARPROFSUBS");
    }
    video_.SendPlayerCommand(player_, "/EDITMODE:OFF");
}

void TShared::ItemModified(const TProfileCursor* cursor, bool noRefresh) {
    const uint8_t kind = cursor != nullptr ? cursor->ItemKind : TProfileCursor::kVolume;
    if (kind == TProfileCursor::kSelect || kind == TProfileCursor::kTimedScript) {
        if (TScriptControl* script = cursor->Script.Get(); script != nullptr && cursor->Changed != 0) {
            script->Modified = 1;
        }
        if (views_.Listing != nullptr) {
            views_.Listing->UpdateEditors(false, false);
        }
    }
    if (kind == TProfileCursor::kProfile || kind == TProfileCursor::kSelect ||
        kind == TProfileCursor::kTimedScript || kind == TProfileCursor::kStyle) {
        ShowTitleInPreview(cursor, kind == TProfileCursor::kSelect);
        if (!noRefresh) {
            RestartAutoRefresh();
        }
    }
    if (views_.Main != nullptr) {
        views_.Main->MarkModified();
    }
    if (views_.Listing != nullptr) {
        views_.Listing->RepaintGrid();
    }
}

void TShared::ProfileSaved() {
    if (views_.Main != nullptr) {
        views_.Main->ClearModified();
    }
}

void TShared::SelectionChanged(const TProfileCursor* cursor, bool force) {
    TLanguage* language = cursor != nullptr ? cursor->Language.Get() : nullptr;
    if (cursor != nullptr) {
        TProfileCursor copy = *cursor;
        copy.Title = current_.Title;
        ShowTitleInPreview(&copy, force);
    } else {
        ShowTitleInPreview(nullptr, true);
    }
    if (views_.Main != nullptr) {
        views_.Main->BuildStylesMenu(language != nullptr ? &language->Styles : nullptr);
    }
    if (views_.Info != nullptr) {
        views_.Info->ShowProfileInfo(nullptr);
    }
    if (views_.Listing != nullptr) {
        views_.Listing->EnableFilters();
    }
    RestartAutoRefresh();
}

void TShared::OpenItem(const TProfileCursor* cursor) {
    editingSelect_ = cursor != nullptr && cursor->ItemKind == TProfileCursor::kSelect;
    if (cursor != nullptr &&
        (cursor->ItemKind == TProfileCursor::kSelect || cursor->ItemKind == TProfileCursor::kTimedScript)) {
        current_ = *cursor;
    }
    if (views_.Listing != nullptr) {
        views_.Listing->SetCursor(cursor);
    }
}

void TShared::RefreshProfileViews(const TProfileCursor* cursor) {
    TProfileCursor item;
    if (cursor != nullptr) {
        item = *cursor;
    } else if (document_ != nullptr) {
        item = FirstItemOf(*document_);
    }
    current_ = item;
    SelectionChanged(item.IsEmpty() ? nullptr : &item, true);
    OpenItem(item.IsEmpty() ? nullptr : &item);
}

TProfileCursor TShared::FirstItemOf(TDVDProfile& profile) const {
    TProfileCursor item;
    item.Profile = TItemRef<TDVDProfile>::Of(&profile);
    TVolume* volume = profile.SelectedVolume != nullptr ? profile.SelectedVolume : profile.Volumes.Head;
    TLanguage* language = profile.CurrentLanguage;
    if (volume != nullptr && (language == nullptr || volume->Languages.Current != language)) {
        language = volume->Languages.Head;
    }
    item.Volume = TItemRef<TVolume>::Of(volume);
    item.Language = TItemRef<TLanguage>::Of(language);
    if (language == nullptr) {
        return item;
    }
    for (TTitle* title = language->Titles.Head; title != nullptr; title = title->Next) {
        if (TSelect* select = title->Selects.Head; select != nullptr && select->Script != nullptr) {
            item.ItemKind = TProfileCursor::kSelect;
            item.Title = TItemRef<TTitle>::Of(title);
            item.Select = TItemRef<TSelect>::Of(select);
            item.Script = TItemRef<TScriptControl>::Of(select->Script);
            return item;
        }
    }
    if (TScriptItems* entry = language->Scripts.Head; entry != nullptr && entry->GetScript() != nullptr) {
        item.ItemKind = TProfileCursor::kTimedScript;
        item.Script = TItemRef<TScriptControl>::Of(entry->GetScript());
    }
    return item;
}

bool TShared::NewProfile() {
    if (views_.Main != nullptr) {
        if (!views_.Main->ConfirmDiscardChanges()) {
            return false;
        }
        views_.Main->ClearViews();
    }
    video_.ClearProfileSubtitles();
    TItemRegistry::Instance().ForgetAll();
    current_ = TProfileCursor{};
    editingSelect_ = false;
    documentPath_.clear();
    if (document_ != nullptr) {
        document_->Clear();
        TVolume* volume = document_->AddVolume(Strings.GetText("Def_NoNameTr"));
        volume->AddLanguage(Strings.GetText("Def_Language"), {}, {});
        document_->GetVolume(volume->Index, true);
    }
    ProfileSaved();
    return true;
}

TProfileCursor TShared::GetCurrentItem() const {
    if (document_ == nullptr) {
        return {};
    }
    TProfileCursor item = current_;
    item.Profile = TItemRef<TDVDProfile>::Of(document_);
    if (!item.Volume) {
        item.Volume = TItemRef<TVolume>::Of(document_->SelectedVolume != nullptr ? document_->SelectedVolume
                                                                                 : document_->Volumes.Head);
    }
    if (!item.Language && item.Volume) {
        item.Language = TItemRef<TLanguage>::Of(item.Volume.Get()->Languages.Head);
    }
    if (!item.Script && item.Select) {
        item.Script = TItemRef<TScriptControl>::Of(item.Select.Get()->Script);
    }
    return item;
}

TLanguage* TShared::GetCurrentLanguage() const {
    return GetCurrentItem().Language.Get();
}

TVolume* TShared::GetCurrentVolume() const {
    return GetCurrentItem().Volume.Get();
}

TSelect* TShared::CurrentSelect() const {
    return current_.Select.Get();
}

int32_t TShared::SelectToVideoTime(int32_t time) const {
    const TSelect* select = CurrentSelect();
    return select != nullptr ? ::SelectToVideoTime(*select, time) : time;
}

int32_t TShared::VideoToSelectTime(int32_t time) const {
    const TSelect* select = CurrentSelect();
    return select != nullptr ? ::VideoToSelectTime(*select, time) : time;
}

void TShared::ShowWait(std::u16string_view action, std::u16string_view info) {
    if (views_.Wait != nullptr) {
        views_.Wait->ShowWait(action, info);
    }
}

void TShared::SetWaitInfo(std::u16string_view info) {
    if (views_.Wait != nullptr) {
        views_.Wait->SetWaitInfo(info);
    }
}

void TShared::HideWait() {
    if (views_.Wait != nullptr) {
        views_.Wait->HideWait();
    }
}

void TShared::SetMainCaption(std::u16string_view name) {
    if (views_.Main != nullptr) {
        views_.Main->SetMainCaption(u"Pellit - " + std::u16string(name));
    }
}

void TShared::RestartAutoRefresh() {
    if (views_.Main != nullptr) {
        views_.Main->RestartAutoRefresh();
    }
}

void TShared::SetEventTimes(int32_t start, int32_t end) {
    if (views_.Listing != nullptr) {
        views_.Listing->SetCurrentEventTimes(start, end, false);
    }
}

void TShared::MarkWaveRange(int32_t start, int32_t end) {
    if (views_.Wave != nullptr) {
        views_.Wave->MarkEventRange(start, end);
    }
}

void TShared::ShowTitleInPreview(const TProfileCursor* cursor, bool force) {
    TTitle* title = cursor != nullptr ? cursor->Title.Get() : nullptr;
    if (title == shownTitle_.Get() && !force && cursor != nullptr) {
        return;
    }
    shownTitle_ = TItemRef<TTitle>::Of(title);
    if (title != nullptr) {
        title->BuildEvents();
    }
}
