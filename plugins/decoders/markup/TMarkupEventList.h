#pragma once
// The events a markup decoder collects. The text they hold together is bounded: a hostile file that
// repeats the same long text behind thousands of time tags would otherwise grow the script far beyond
// the file; events past the bound are dropped.
#include "plugins/decoders/markup/TSubtitleText.h"
#include "plugins/decoders/support/ScrRecords.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TMarkupEventList {
public:
    // Far above any real script (20,000 subtitles take about 2 MB).
    static constexpr std::size_t kMaxTextBytes = 64u << 20;

    // Appends the event unless the bound is reached; false when it was dropped.
    bool Add(TMarkupEvent event);
    // Appends an event of the "Default" style holding the text, unless the text is blank.
    void AddText(int32_t start, int32_t end, const TSubtitleText& text);

    const std::vector<TMarkupEvent>& Events() const { return FEvents; }
    bool Empty() const { return FEvents.empty(); }
    std::size_t Size() const { return FEvents.size(); }

private:
    std::vector<TMarkupEvent> FEvents;
    std::size_t FTextBytes = 0;
};
