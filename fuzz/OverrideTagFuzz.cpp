// Feeds arbitrary UTF-16LE text to the override-tag parser of text events, writes the runs back as
// tagged text and parses that again. When no brace or backslash is left as visible text, the written
// form must be stable: writing it back once more gives the same text. (Literal braces and backslashes
// next to blocks that leave no run may form new tags once written; SubStation text cannot escape
// them.) The run list must stay inside its block throughout.
#include "foundation/TMemoryObject.h"
#include "subtitles/model/TTextEvent.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::u16string WriteBack(TTextEvent& event) {
    TMemoryObject out(256);
    if (!event.WriteSsaText(out, false)) {
        std::abort(); // text always gives at least the end run
    }
    return std::u16string(out.Text(), static_cast<std::size_t>(out.TextLength() - 1));
}

struct Written {
    std::u16string text;
    bool literalTagCharacters = false; // a '{' or '\\' is visible text
};

Written ParseAndWrite(std::u16string_view text) {
    TTextEvent event;
    event.AttachRecord(nullptr);
    event.SetText(text, false);
    event.BuildRuns();
    std::size_t visible = 0;
    for (const TTextRun* run = event.GetRun(kFirstRun); run; run = event.NextRun(run)) {
        visible += event.GetRunText(run).size();
        TOverrideOpReader reader = event.GetOpcodes(run);
        for (TOverrideOp op; reader.Next(op);) {
        }
    }
    if (visible != event.GetCompactedText().size()) {
        std::abort();
    }
    // Laid-out form too, with a line break flag on every run.
    for (TTextRun* run = event.GetRun(kFirstRun); run; run = event.NextRun(run)) {
        run->SetLineBreak(true);
    }
    TMemoryObject laidOut(256);
    event.WriteSsaText(laidOut, true);
    for (TTextRun* run = event.GetRun(kFirstRun); run; run = event.NextRun(run)) {
        run->SetLineBreak(false);
    }
    const std::u16string_view visibleText = event.GetCompactedText();
    return {WriteBack(event), visibleText.find_first_of(u"{\\") != std::u16string_view::npos};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * sizeof(char16_t));
    const Written once = ParseAndWrite(text);
    const Written twice = ParseAndWrite(once.text);
    if (!once.literalTagCharacters && twice.text != once.text) {
        std::abort();
    }
    return 0;
}
