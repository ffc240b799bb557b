#pragma once
// A text event laid out on a fixed-advance context: with the default style (15 points, that is 20
// pixels at 96 per inch), each character is 10 pixels wide and each line 20 pixels high. The mapping
// is a 640 x 480 frame and area on a 640 x 480 screen, so its scales are 1.0.
#include "platform/testing/FixedAdvanceDc.h"
#include "subtitles/model/TFontPool.h"
#include "subtitles/model/TSubScreenControler.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/model/TTextLayout.h"
#include "subtitles/model/tests/TestStyleRecord.h"

#include <string>
#include <vector>

struct LayoutFixture {
    static constexpr std::int32_t kWidth = 640;
    static constexpr std::int32_t kHeight = 480;

    LayoutFixture() : mapping(TScreenSize{kWidth, kHeight}) {
        mapping.SetFrameRect(0, 0, kWidth, kHeight);
        mapping.SetAreaRect(0, 0, kWidth, kHeight);
        mapping.ComputeRects();
    }

    // Builds the event's runs from `text` with `wrapStyle` and lays it out.
    TTextEvent& LayOut(std::u16string_view text, std::int32_t wrapStyle, std::int32_t wrapOverride = -1) {
        event.AttachRecord(nullptr);
        event.GetTextRecord()->wrapStyle = wrapStyle;
        event.SetText(text, false);
        event.BuildRuns();
        event.SetStyleAndScreen(&style, &mapping);
        event.LayoutWith(pool, wrapOverride);
        return event;
    }

    std::pair<std::int32_t, std::int32_t> Extent() const {
        std::int32_t w = 0;
        std::int32_t h = 0;
        event.GetExtent(w, h);
        return {w, h};
    }

    // The lines as laid out: the words and blanks of each, "|" where a line ends.
    std::string Lines() const {
        std::string out;
        for (const TTextRun* run = event.GetRun(kFirstRun); run != nullptr && run->Kind() != kRunEnd;
             run = event.NextRun(run)) {
            if (run->Kind() == kRunWord) {
                for (const char16_t c : event.GetRunText(run)) {
                    out.push_back(static_cast<char>(c));
                }
            } else if (run->Kind() != kRunOverrideBlock && !run->BreaksLine()) {
                out.push_back(' ');
            }
            if (run->BreaksLine()) {
                out.push_back('|');
            }
        }
        return out;
    }

    TSubtitleStyleRecord style = TestStyleRecord({.secondary = 0x00FFFF, .tertiary = 0xFF00FF});
    TSubScreenControler mapping;
    FixedAdvanceDc dc{10, 20};
    TFontPool pool{&dc};
    TTextEvent event;
};

// `count` words of `letters` characters separated by single blanks.
inline std::u16string Words(int count, int letters) {
    std::u16string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            text += u' ';
        }
        text.append(static_cast<std::size_t>(letters), static_cast<char16_t>(u'a' + i % 26));
    }
    return text;
}
