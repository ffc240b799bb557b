#pragma once
// The DVD side of the playback engine: menus and buttons, title, chapter and time jumps, audio,
// subpicture and angle selection, the display mode preference, the disc identifier, the title length,
// the title attributes and the chapter counts, the position and the play state from the navigator's
// location and domain. Everything needs DVD mode (a navigator located in the graph); without it the
// operations answer false, and those with a sub-code report that the graph lacks what they need.
#include "core/src/engine/TEngineContext.h"
#include "platform/dvd/DvdAttributes.h"
#include "platform/media/Result.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class TEngineDvd {
public:
    // Sub-codes of the "needs an interface the graph lacks" error.
    static constexpr std::uint32_t kNeedsMenu = 1;
    static constexpr std::uint32_t kNeedsButton = 5;
    static constexpr std::uint32_t kNeedsChapter = 6;
    static constexpr std::uint32_t kNeedsTitle = 9;
    static constexpr std::uint32_t kNeedsTimeInTitle = 10;

    explicit TEngineDvd(TEngineContext& context) : context_(context) {}

    // Menu ids: 2 title, 3 root, 4 subpicture, 5 audio, 6 angle, 7 chapter; any other the title menu.
    bool OpenMenu(std::uint8_t menu);
    // 0 up, 1 down, 2 left, 3 right, 4 activate; any other action does nothing and succeeds.
    bool NavigateButton(std::uint8_t action);
    // A point of the engine window; the outcome is not told.
    void SelectButtonAt(int x, int y);
    void ActivateButtonAt(int x, int y);
    // Chapter 0 plays the title from its start.
    bool PlayTitleChapter(std::uint32_t title, std::uint32_t chapter);
    // -1 the previous chapter, any other value the next one; never in a menu.
    bool PlayAdjacentChapter(int direction);
    // Title 0 is the current title.
    bool PlayAtTimeInTitle(std::uint8_t title, std::uint32_t timeCode);
    bool PlayAtTime(std::uint32_t timeCode);
    bool SelectAudio(std::uint32_t stream);
    // A negative stream (-1) keeps the stream, a state of 255 keeps the display state (0 hides, others
    // show).
    bool SelectSubpicture(std::uint32_t stream, std::uint8_t state);
    bool ChooseAngle(std::uint32_t angle);
    // Forwards at a positive rate, backwards at a negative one (1.0 is normal speed).
    bool PlayAtRate(double rate);
    bool SetDisplayMode(std::uint32_t mode);

    // The current audio stream, subpicture (bit 16 set when shown) and angle; each missing out value
    // is reported as a status instead.
    void RefreshStreams(std::uint32_t* audio, std::uint32_t* subpicture, std::uint32_t* angle);
    bool ReadTitleAttributes(std::uint32_t title, plat::dvd::DvdMenuAttributes* menu,
                             plat::dvd::DvdTitleAttributes* attributes);
    // The chapter count of every title, in title order; empty without a disc.
    std::vector<std::uint32_t> GetChapterCounts();
    // Event 8 with the disc identifier's two halves; a media file is announced with (0, 0) and false.
    bool PostDiscId();
    // Event 3 with the length of the current title and its frame-rate flags, when it can be read.
    void SendTitleLength();

    // Milliseconds of the title position, its frame-rate flags and chapter << 16 | title.
    bool GetPosition(std::uint32_t& ms, std::uint32_t& flags, std::uint32_t* titleAndChapter);
    // The play state from the navigator's domain; nothing when the engine's own state decides.
    std::optional<std::uint32_t> PlayState();

    // One entry per title, the count of its chapters; a title whose chapters cannot be counted has 0.
    using TChapterCounter = std::function<plat::media::HResult(std::uint32_t title, std::uint32_t* chapters)>;
    static std::vector<std::uint32_t> ChapterTable(std::uint32_t titles, const TChapterCounter& count);

private:
    // DVD mode with the navigator, else false with error 10 and the sub-code (0: no error).
    bool Ready(std::uint32_t subCode);

    TEngineContext& context_;
};
