#pragma once
// The one style both subtitle benches draw with (DejaVu Sans, white with a yellow secondary colour,
// black outline 2 and shadow 1), in the two forms the two renderers read: the head of an Advanced
// SubStation script for libass and the style record the core takes. The font size is in pixels
// (libass sizes its fonts in pixels; the record holds points at 96 per inch); the alignment is in
// Advanced SubStation numbering (numeric keypad) and goes into the record in SubStation v4 numbering.
#include "core/include/SubtitleRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct BenchSubtitleStyle {
    int pixelSize = 48;
    int alignment = 2;
    int marginV = 10;

    // "[Script Info]" to the events' "Format:" line, for a width x height script.
    std::string AssScriptHead(int width, int height) const;
    TSubtitleStyleRecord StyleRecord() const;
    // Appends one text event's record (times in ms, the script's resolution) to a page block.
    static void AppendEventRecord(std::vector<std::byte>& block, std::int32_t start, std::int32_t end,
                                  int width, int height, const std::string& text);
};
