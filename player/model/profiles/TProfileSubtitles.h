#pragma once
// The player's link between a profile and the core's subtitle screen: opens a profile, chooses the
// volume of the disc in the drive, lets the user or a script choose volume and language, and sends
// the chosen language's styles and pages to the core (orders 500-504 and 506). Its listeners hear of
// every change of profile (event 20), volume (17), language (18) and visibility (39).
#include "foundation/TPointer.h"
#include "player/model/controllers/IProfileSubtitles.h"
#include "player/model/events/TCallbackFunction.h"
#include "player/model/hub/TPlayerObjects.h"
#include "player/model/profiles/ProfileSubtitleOrders.h"
#include "subtitles/profiles/TDVDProfile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

class TLanguage;
class TVolume;

class TProfileSubtitles : public TPlayerObjects, public IProfileSubtitles {
public:
    // Auto-send on, subtitles hidden, indexes and disc id 0, no profile.
    explicit TProfileSubtitles(TPlayerObjects* parent);
    ~TProfileSubtitles() override;

    // Registers a listener, or with no callback removes the one of that user data.
    int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback);

    // Opens the profile (only the chosen volume's languages loaded) and chooses the volume of the
    // disc id last handed in; shows the current language's subtitles, or hides them when there is
    // none. 0, or -1 (reported by the profile, subtitles hidden) when it does not load. Announces
    // the selection either way.
    int32_t Open(std::u16string_view path);
    // Clears the profile and hides the subtitles; announces the selection unless silent.
    void Close(bool silent);
    // Order 501; the order's answer.
    int32_t Show(bool on);

    // Keeps the disc id. Unless suppressed, chooses the volume that carries it (the first volume when
    // none does); false when that volume was already chosen.
    bool SelectVolumeForDisc(uint32_t idHigh, uint32_t idLow, bool suppress) override;
    // The volume or language at that 0-based index becomes the chosen one (the volume with its first
    // language current); nullptr, changing nothing, when there is none.
    TVolume* SelectVolume(int32_t index);
    TLanguage* SelectLanguage(int32_t index);

    int32_t GetVolumeCount() const;
    // Of the chosen volume; 0 without one.
    int32_t GetLanguageCount() const;
    // By 0-based index, without choosing; nullptr beyond the count.
    TVolume* GetVolume(int32_t index);
    TLanguage* GetLanguage(int32_t index) const;

    // Order 504 with the chosen volume's chapter-change flag, then the current language.
    void Resend();
    // The current language alone, as the editor sends it after an edit.
    void SendCurrentLanguage();
    // That language alone: order 500 when it has no titles, else its styles and each title's page.
    // True.
    bool SendLanguageNow(TLanguage* language);
    // The editor's preview of one event list as page `number`: clears the core's pages, sends the
    // styles, order 504 and the events. -1 when the styles or the events are missing, else 0.
    int32_t SendEventList(const TPointer<TStyles>* styles, const TPointer<TSubEvents>* events,
                          int32_t number);
    // Events 20, 17 and 18.
    void NotifySelection();
    // The indexes from the chosen volume and current language (0 when there is none).
    void UpdateSelection();

    // The path of the profile's archive into the buffer (cut to fit, terminated); false when the
    // profile came from no archive.
    bool GetProfilePath(char16_t* buffer, std::size_t size) const;
    // The same path as 8-bit text (cut to fit at a character boundary).
    bool GetProfilePathA(char* buffer, std::size_t size) const;
    // The profile's title into the buffer (cut to fit at a character boundary); false when empty.
    bool GetProfileTitle(char* buffer, std::size_t size) const;
    // Order 506; answers 1.
    int32_t SetSubtitleOffset(int32_t milliseconds) override;

    void SetAutoSend(bool on) { FAutoSend = on; }
    bool AutoSend() const { return FAutoSend; }
    bool Shown() const { return FShown; }
    int32_t VolumeIndex() const { return FVolumeIndex; }
    int32_t LanguageIndex() const { return FLanguageIndex; }
    TDVDProfile& Profile() { return FProfile; }

private:
    // Chooses the volume of the stored disc id; whether the choice changed.
    bool ChooseVolumeForDisc();
    void ResendWhenAuto();
    void Notify(uint32_t event, intptr_t a);

    TDVDProfile FProfile;
    int32_t FVolumeIndex = 0;
    int32_t FLanguageIndex = 0;
    bool FShown = false;
    bool FAutoSend = true;
    int32_t FDiscIdHigh = 0;
    int32_t FDiscIdLow = 0;
    TPointer<TCallbackFunction> FListeners;
    TSentPages FSentPages;
};
