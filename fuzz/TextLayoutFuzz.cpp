// Lays out and draws arbitrary UTF-16LE text (the override-tag fuzzer's input form, so its corpus
// feeds this target) as subtitle pages with a fixed-advance context: two overlapping events of one
// layer and a third of another, in every wrap style, with outlines and shadows. The extent must hold
// every line, lines must end only at blanks or breaks, and placement and drawing must stay within the
// 32-bit range without undefined behaviour.
#include "core/src/pages/TPageRenderer.h"
#include "core/src/pages/TSubDisplay.h"
#include "core/tests/pages/PageBlockBuilder.h"
#include "platform/testing/FixedAdvanceDc.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/model/TTextLayout.h"
#include "subtitles/model/tests/TestStyleRecord.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

TSubtitleStyleRecord FuzzStyle(std::int32_t alignment) {
    return TestStyleRecord(
        {.font = u"Sans", .fontSize = 20, .primary = 0, .outline = 2, .shadow = 1, .alignment = alignment});
}

void CheckLines(const TTextEvent& event) {
    std::int32_t width = 0;
    std::int32_t height = 0;
    event.GetExtent(width, height);
    if (width < 0 || height < 0) {
        std::abort();
    }
    const TTextEventRecord* record = event.GetTextRecord();
    const std::int32_t wrap = record->wrapStyle & 0x7F;
    if (wrap > 4) {
        return; // lines are left unbroken and the extent 0 x 0
    }
    bool lineStart = true;
    for (const TTextRun* run = event.GetRun(kFirstRun); run != nullptr && run->Kind() != kRunEnd;
         run = event.NextRun(run)) {
        if (lineStart && TTextLayout::MeasureLine(event, run, false) > width) {
            std::abort();
        }
        if (run->BreaksLine() && (run->Kind() == kRunWord || run->Kind() == kRunOverrideBlock)) {
            std::abort();
        }
        lineStart = run->BreaksLine();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * sizeof(char16_t));
    const std::int32_t alignment = size > 0 ? 1 + data[0] % 11 : 2;
    const std::vector<std::byte> order =
        PageBlockBuilder::Order(1, {{1, 0, 1000, 0, text}, {2, 0, 2000, 0, text}, {3, 500, 1500, 1, text}});
    const std::span<const std::byte> block =
        std::span(order).subspan(kPageOrderHeadBytes - kPageBlockHeadBytes);

    TSubDisplay display;
    auto renderer = std::make_unique<TPageRenderer>([] { return std::make_unique<FixedAdvanceDc>(7, 16); });
    TPageRenderer* drawing = renderer.get();
    display.SetLayouter(std::move(renderer));
    display.SetStyle(FuzzStyle(alignment));
    display.SetEnabled(true, true);
    TSubScreenControler mapping(TScreenSize{640, 360});
    mapping.SetFrameRect(0, 0, 640, 360);
    mapping.SetAreaRect(0, 0, 640, 360);
    mapping.ComputeRects();
    display.RenderAll(&mapping, true);
    if (!display.SetBlock(1, block) || !display.SelectBlock(1)) {
        return 0;
    }
    for (const std::int32_t wrapStyle : {0, 1, 2, 3, 4, 7}) {
        drawing->SetDrawOverrides({static_cast<std::uint8_t>(1 + wrapStyle % 4), -1, -1});
        for (TSubEvents* event = display.CurrentBlock()->Events().Head; event != nullptr;
             event = event->Next) {
            static_cast<TTextEvent*>(event)->GetTextRecord()->wrapStyle = wrapStyle;
        }
        display.RenderAll(nullptr, false);
        for (TSubEvents* event = display.CurrentBlock()->Events().Head; event != nullptr;
             event = event->Next) {
            CheckLines(*static_cast<TTextEvent*>(event));
        }
        for (const std::int32_t time : {0, 600, 1200, 2000}) {
            display.SetTime(time);
            FixedAdvanceDc dc(7, 16);
            display.Paint(&dc, false, nullptr);
        }
    }
    return 0;
}
