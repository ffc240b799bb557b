#include "bench/BenchSubtitleStyle.h"

#include "subtitles/model/TTextEvent.h"
#include "subtitles/model/tests/TestStyleRecord.h"

namespace {

// Advanced SubStation's keypad alignment in SubStation v4 numbering: the bottom row keeps 1-3, the top
// row is 5-7 and the middle row 9-11.
int V4Alignment(int keypad) {
    const int column = (keypad - 1) % 3 + 1;
    const int row = (keypad - 1) / 3;
    constexpr int kRowBase[] = {0, 8, 4};
    return kRowBase[row] + column;
}

} // namespace

std::string BenchSubtitleStyle::AssScriptHead(int width, int height) const {
    const std::string margin = std::to_string(marginV);
    return "[Script Info]\nScriptType: v4.00+\nPlayResX: " + std::to_string(width) +
           "\nPlayResY: " + std::to_string(height) +
           "\nWrapStyle: 0\n\n"
           "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
           "OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, "
           "Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n"
           "Style: Default,DejaVu Sans," +
           std::to_string(pixelSize) +
           ",&H00FFFFFF,&H0000FFFF,&H00000000,&H00000000,0,0,0,0,100,100,0,0,1,2,1," +
           std::to_string(alignment) + ",10,10," + margin +
           ",1\n\n[Events]\n"
           "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n";
}

TSubtitleStyleRecord BenchSubtitleStyle::StyleRecord() const {
    return TestStyleRecord({.fontSize = pixelSize * 3 / 4,
                            .secondary = 0x00FFFF,
                            .outline = 2,
                            .shadow = 1,
                            .alignment = V4Alignment(alignment),
                            .marginV = marginV});
}

void BenchSubtitleStyle::AppendEventRecord(std::vector<std::byte>& block, std::int32_t start,
                                           std::int32_t end, int width, int height, const std::string& text) {
    TTextEvent event;
    TTextEventRecord* record = event.AttachRecord(nullptr);
    record->head.start = start;
    record->head.end = end;
    record->head.resX = width;
    record->head.resY = height;
    event.SetText(std::u16string(text.begin(), text.end()), false);
    const std::size_t at = block.size();
    block.resize(at + event.GetRecordSize());
    event.WriteRecord(block.data() + at, event.GetRecordSize());
}
