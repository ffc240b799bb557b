#include "player/model/profiles/TProfileSubtitles.h"

#include "core/include/VokradOrders.h"
#include "platform/text/CodePage.h"
#include "player/model/events/PlayerEvents.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TVolume.h"

#include <algorithm>

TProfileSubtitles::TProfileSubtitles(TPlayerObjects* parent) : TPlayerObjects(parent) {
    FProfile.Clear();
}

TProfileSubtitles::~TProfileSubtitles() {
    FProfile.Clear();
    FListeners.Clear();
}

int32_t TProfileSubtitles::AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) {
    return TCallbackFunction::Register(&FListeners, userData, tag, callback);
}

int32_t TProfileSubtitles::Open(std::u16string_view path) {
    Close(true);
    TBaseProfile& document = FProfile;
    if (!document.Load(path, false, false)) {
        NotifySelection();
        return -1;
    }
    ChooseVolumeForDisc();
    UpdateSelection();
    if (FProfile.CurrentLanguage != nullptr) {
        ResendWhenAuto();
        Show(true);
    } else {
        Show(false);
    }
    NotifySelection();
    return 0;
}

void TProfileSubtitles::Close(bool silent) {
    FProfile.Clear();
    UpdateSelection();
    if (!silent) {
        NotifySelection();
    }
    Show(false);
}

int32_t TProfileSubtitles::Show(bool on) {
    TOrderSubtitlesOn record{};
    record.on = on ? 1 : 0;
    const int32_t result = SendRecord(kOrderSubtitlesOn, record);
    FShown = on;
    Notify(kEventProfileShown, on ? 1 : 0);
    return result;
}

bool TProfileSubtitles::SelectVolumeForDisc(uint32_t idHigh, uint32_t idLow, bool suppress) {
    FDiscIdHigh = static_cast<int32_t>(idHigh);
    FDiscIdLow = static_cast<int32_t>(idLow);
    if (suppress || !ChooseVolumeForDisc()) {
        return false;
    }
    UpdateSelection();
    ResendWhenAuto();
    NotifySelection();
    return true;
}

bool TProfileSubtitles::ChooseVolumeForDisc() {
    return FProfile.SelectVolumeByDiscId(FDiscIdHigh, FDiscIdLow);
}

TVolume* TProfileSubtitles::SelectVolume(int32_t index) {
    TVolume* volume = index >= 0 ? FProfile.GetVolume(index + 1, true) : nullptr;
    if (volume == nullptr) {
        return nullptr;
    }
    // The chosen volume's first language is current now: the index says so.
    UpdateSelection();
    ResendWhenAuto();
    Notify(kEventProfileVolume, FVolumeIndex);
    Notify(kEventProfileLanguage, FLanguageIndex);
    return volume;
}

TLanguage* TProfileSubtitles::SelectLanguage(int32_t index) {
    TLanguage* language = index >= 0 ? FProfile.GetLanguage(index + 1, true) : nullptr;
    if (language == nullptr) {
        return nullptr;
    }
    FLanguageIndex = index;
    ResendWhenAuto();
    Notify(kEventProfileLanguage, index);
    return language;
}

int32_t TProfileSubtitles::GetVolumeCount() const {
    return FProfile.Volumes.Count;
}

int32_t TProfileSubtitles::GetLanguageCount() const {
    return FProfile.SelectedVolume != nullptr ? FProfile.SelectedVolume->Languages.Count : 0;
}

TVolume* TProfileSubtitles::GetVolume(int32_t index) {
    return index >= 0 ? FProfile.GetVolume(index + 1, false) : nullptr;
}

TLanguage* TProfileSubtitles::GetLanguage(int32_t index) const {
    return FProfile.SelectedVolume != nullptr && index >= 0 ? FProfile.SelectedVolume->GetLanguage(index)
                                                            : nullptr;
}

void TProfileSubtitles::Resend() {
    TOrderProfileFlag record{};
    record.flag = FProfile.UsesChapterChange() ? 1 : 0;
    SendRecord(kOrderProfileFlag, record);
    SendCurrentLanguage();
}

void TProfileSubtitles::SendCurrentLanguage() {
    SendLanguageNow(FProfile.CurrentLanguage);
}

bool TProfileSubtitles::SendLanguageNow(TLanguage* language) {
    SendLanguage(*this, language, FSentPages);
    return true;
}

int32_t TProfileSubtitles::SendEventList(const TPointer<TStyles>* styles, const TPointer<TSubEvents>* events,
                                         int32_t number) {
    if (styles == nullptr || events == nullptr) {
        return -1;
    }
    SendOrder(kOrderClearSubtitles, nullptr, nullptr);
    FSentPages.clear();
    SendStyles(*this, *styles);
    TOrderProfileFlag record{};
    record.flag = FProfile.UsesChapterChange() ? 1 : 0;
    SendRecord(kOrderProfileFlag, record);
    if (SendEvents(*this, number, *events)) {
        FSentPages.insert(number);
    }
    return 0;
}

void TProfileSubtitles::NotifySelection() {
    Notify(kEventProfileChanged, 0);
    Notify(kEventProfileVolume, FVolumeIndex);
    Notify(kEventProfileLanguage, FLanguageIndex);
}

void TProfileSubtitles::UpdateSelection() {
    FVolumeIndex = FProfile.SelectedVolume != nullptr ? FProfile.SelectedVolume->Index - 1 : 0;
    FLanguageIndex = FProfile.CurrentLanguage != nullptr ? FProfile.CurrentLanguage->Index - 1 : 0;
    FVolumeIndex = std::max(FVolumeIndex, 0);
    FLanguageIndex = std::max(FLanguageIndex, 0);
}

bool TProfileSubtitles::GetProfilePath(char16_t* buffer, std::size_t size) const {
    const std::u16string& path = FProfile.Header.ArchivePath;
    if (path.empty() || buffer == nullptr || size == 0) {
        return false;
    }
    const std::size_t length = std::min(path.size(), size - 1);
    std::copy_n(path.data(), length, buffer);
    buffer[length] = u'\0';
    return true;
}

namespace {

// The 8-bit text into the buffer, cut at a character boundary to fit; false when empty.
bool CopyCut(const std::string& text, char* buffer, std::size_t size) {
    if (text.empty() || buffer == nullptr || size == 0) {
        return false;
    }
    const std::size_t length = plat::text::Utf8CutLength(text, size - 1);
    std::copy_n(text.data(), length, buffer);
    buffer[length] = '\0';
    return true;
}

} // namespace

bool TProfileSubtitles::GetProfilePathA(char* buffer, std::size_t size) const {
    return CopyCut(plat::text::WideToAnsi(FProfile.Header.ArchivePath), buffer, size);
}

bool TProfileSubtitles::GetProfileTitle(char* buffer, std::size_t size) const {
    return CopyCut(FProfile.Header.Title, buffer, size);
}

int32_t TProfileSubtitles::SetSubtitleOffset(int32_t milliseconds) {
    TOrderSubtitleOffset record{};
    record.milliseconds = milliseconds;
    SendRecord(kOrderSubtitleOffset, record);
    return 1;
}

void TProfileSubtitles::ResendWhenAuto() {
    if (FAutoSend) {
        Resend();
    }
}

void TProfileSubtitles::Notify(uint32_t event, intptr_t a) {
    TCallbackFunction::Broadcast(&FListeners, event, a, 0, 0);
}
