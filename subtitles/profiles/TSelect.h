#pragma once
// One selection of a title: the events of one script whose start lies in a time window, moved so
// that the window's start lands at DVDStart on the title's time line and optionally stretched.
#include "foundation/TPointer.h"
#include "subtitles/profiles/TSelectStats.h"

#include <cstddef>
#include <cstdint>
#include <string>

class TScriptControl;
class TTitle;

struct TSelect : TListItem<TSelect> {
    // The name keeps at most this many bytes of UTF-8 text.
    static constexpr std::size_t kMaxName = 99;

    int32_t FirstSub = 0; // start of the window in the script, milliseconds
    int32_t LastSub = 0;  // end of the window, inclusive
    int32_t TitleNumber = 0;
    int32_t DVDStart = 0; // where the window's start lands on the title's time line
    int32_t Info = 0;     // order key of the selection within its title
    std::string Name;
    TSelectStats Stats;
    double ScaleFactor = 1.0;
    int32_t TimeRamp = 0; // milliseconds added to the span of the window's event starts
    uint8_t Enabled = 1;
    uint8_t Written = 0; // scratch mark of the language writer
    TScriptControl* Script = nullptr;
    TTitle* Owner = nullptr;

    // The window becomes the span of the script's event starts: FirstSub the smallest, LastSub the
    // largest start of its events that are not comments. False, nothing changed, when there are
    // none (or no script).
    bool SpanScript();
    // The smallest and largest start of the script's events that are not comments; false, both 0,
    // when there are none.
    static bool ScriptStartRange(const TScriptControl& script, int32_t& first, int32_t& last);
    // The 1-based position in the title is the list index after TPointer::Renumber.
};
