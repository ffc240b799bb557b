#pragma once
// Lays a text event out for its screen mapping: its scales from the script resolution, its effective
// margins, the size of every run, and line breaks by its wrap style: 0 and 3 wrap into lines of about
// equal width, 1 and 4 fill each line, 2 breaks only at "\n" and "\N"; other styles leave the text on
// one line with an extent of 0 x 0. Each line's first run holds the line's height and the run after
// which a line ends carries the line-break flag; the extent is the widest line by the lines' heights.
#include <cstdint>

class TFontPool;
class TTextEvent;
struct TTextRun;

class TTextLayout {
public:
    // The whole layout; `wrapOverride` of 0 or more replaces the record's wrap style for this layout.
    static void Layout(TTextEvent& event, TFontPool& pool, std::int32_t wrapOverride);
    // Breaks the runs into lines of about equal width within the usable width.
    static void WrapToBox(TTextEvent& event);
    // Breaks the runs into lines no wider than the usable width, aiming at `target` (-1: the usable
    // width); a word wider than a line stays whole on its own line.
    static void WrapLines(TTextEvent& event, std::int32_t target);
    // Width of the runs from `first` to the end, or (`allRuns` clear) up to the first run that ends a
    // line, that run excluded.
    static std::int32_t MeasureLine(const TTextEvent& event, const TTextRun* first, bool allRuns);
    // The width lines may take: the mapping's horizontal scale times the frame (positioned events) or
    // area width less the effective margins.
    static std::int32_t UsableWidth(const TTextEvent& event);
};
