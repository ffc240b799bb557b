#include "editor/TEditorPlayerObjects.h"

#include "editor/TSendToRemoteCore.h"
#include "editor/TShared.h"
#include "platform/display/DisplayModes.h"
#include "platform/text/CodePage.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/binding/TMainControl.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/profiles/TProfileControllerFactory.h"
#include "player/model/profiles/TProfileSubtitles.h"

TEditorPlayerObjects::TEditorPlayerObjects(TShared& shared, IMessages& messages)
    : shared_(shared), messages_(messages) {}

TEditorPlayerObjects::~TEditorPlayerObjects() {
    if (ErrorControl() != nullptr) {
        ErrorControl()->AddListener(this, kListenerTag, nullptr);
    }
    shared_.Video().BindPlayer(nullptr, nullptr);
    playControl_.reset();
    mainControl_.reset();
}

void TEditorPlayerObjects::Create() {
    CreatePlayerGlobals(shared_.IsLocalMode() ? nullptr : std::make_unique<TSendToRemoteCore>());
    ErrorControl()->AddListener(this, kListenerTag, &PlayerMessageCallback);
    mainControl_ = std::make_unique<TMainControl>();
    mainControl_->Start();
    displayModes_ = plat::display::CreateDisplayModes();
    factory_ = std::make_unique<TProfileControllerFactory>(displayModes_.get());
    playControl_ = std::make_unique<TPlayControl>(factory_.get());
    playControl_->CreatePlayer();
    playControl_->AddListener(this, kListenerTag, &PlayerEventCallback);
    if (TProfileSubtitles* sender = Sender()) {
        sender->SetAutoSend(false);
    }
    shared_.Video().BindPlayer(playControl_.get(), Sender());
}

void TEditorPlayerObjects::Release() {
    if (!shared_.IsLocalMode() || !playControl_) {
        return;
    }
    if (auto* video = playControl_->Controllers().Video.get()) {
        video->Hide();
    }
    shared_.Video().BindPlayer(nullptr, nullptr);
    playControl_->DestroyPlayer();
    playControl_.reset();
    mainControl_->Stop();
    mainControl_.reset();
}

TProfileSubtitles* TEditorPlayerObjects::Sender() const {
    return playControl_ ? dynamic_cast<TProfileSubtitles*>(playControl_->Controllers().ProfileSubtitles.get())
                        : nullptr;
}

uint8_t TEditorPlayerObjects::PlayerEventCallback(void* user, uint32_t tag, uint32_t event, intptr_t a,
                                                  intptr_t, intptr_t) {
    auto* self = static_cast<TEditorPlayerObjects*>(user);
    if (self == nullptr || tag != kListenerTag || !self->playControl_) {
        return 1;
    }
    // Time, duration, title and play-state events are for the video window and the events
    // preview; the graph's kind chooses the per-disc data folder.
    if (event == kEventGraphConfiguration) {
        const TEditorFolders& folders = self->shared_.Folders();
        const std::string& folder = (a & 4) != 0 ? folders.DvdBookmarks : folders.MediaBookmarks;
        self->playControl_->SetBookmarksFolder(plat::text::AnsiToWide(folder).c_str());
    }
    return 1;
}

uint8_t TEditorPlayerObjects::PlayerMessageCallback(void* user, uint32_t tag, uint32_t event, intptr_t a,
                                                    intptr_t b, intptr_t) {
    auto* self = static_cast<TEditorPlayerObjects*>(user);
    if (self == nullptr || tag != kListenerTag || event != kEventError || a == 0) {
        return 1;
    }
    const std::u16string_view text(reinterpret_cast<const char16_t*>(a));
    if (b == 0 || b == 4 || b == 5) {
        self->messages_.ShowError(text);
    } else if (b == 6) {
        self->messages_.ShowWaitInfo(text);
    }
    return 1;
}
