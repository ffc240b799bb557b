#include "subtitles/model/TTextLayout.h"

#include "subtitles/model/TFontPool.h"
#include "subtitles/model/TSubScreenControler.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/model/TTextPainter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <vector>

namespace {

std::int32_t Truncate(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<std::int32_t>(std::clamp(std::trunc(value), double{INT32_MIN}, double{INT32_MAX}));
}

std::int32_t Clamp(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// An event margin in script units scaled to the screen, or the style's margin unscaled.
std::int32_t EffectiveMargin(std::int32_t eventMargin, double scale, std::int32_t styleMargin) {
    return eventMargin != 0 ? Truncate(eventMargin * scale) : styleMargin;
}

std::vector<TTextRun*> RunsBeforeEnd(TTextEvent& event) {
    std::vector<TTextRun*> runs;
    for (TTextRun* run = event.GetRun(kFirstRun); run != nullptr && run->Kind() != kRunEnd;
         run = event.NextRun(run)) {
        runs.push_back(run);
    }
    return runs;
}

bool IsWordOrBlock(const TTextRun& run) {
    return run.Kind() == kRunWord || run.Kind() == kRunOverrideBlock;
}

// Whether a run advances the pen when it ends a line: a line-ending blank or break does not.
bool AdvancesWhenEnding(const TTextRun& run) {
    return run.Kind() == kRunHardBlank;
}

// Lines being formed: each ends at a run that gets the line-break flag; the first run of a line
// takes the line's height, and the extent grows line by line.
class LineBuilder {
public:
    explicit LineBuilder(std::vector<TTextRun*> runs) : runs_(std::move(runs)) {}

    // Ends the open line at run `last` (flagged; a line-ending blank or break adds no width).
    void EndLineAt(std::size_t last) {
        runs_[last]->SetLineBreak(true);
        std::int64_t width = 0;
        std::int32_t height = 0;
        for (std::size_t i = lineStart_; i <= last; ++i) {
            if (i < last || AdvancesWhenEnding(*runs_[i])) {
                width += runs_[i]->width;
            }
            height = std::max(height, std::int32_t{runs_[i]->height});
        }
        CloseLine(width, height);
        lineStart_ = last + 1;
    }
    // Ends the last line, which has no flag.
    void EndLastLine() {
        if (lineStart_ >= runs_.size()) {
            return;
        }
        std::int64_t width = 0;
        std::int32_t height = 0;
        for (std::size_t i = lineStart_; i < runs_.size(); ++i) {
            width += runs_[i]->width;
            height = std::max(height, std::int32_t{runs_[i]->height});
        }
        CloseLine(width, height);
        lineStart_ = runs_.size();
    }
    // Width of the open line's runs before `end`.
    std::int64_t WidthBefore(std::size_t end) const {
        std::int64_t width = 0;
        for (std::size_t i = lineStart_; i < end; ++i) {
            width += runs_[i]->width;
        }
        return width;
    }

    std::vector<TTextRun*>& Runs() { return runs_; }
    std::size_t LineStart() const { return lineStart_; }
    std::int32_t ExtentWidth() const { return extentWidth_; }
    std::int32_t ExtentHeight() const { return extentHeight_; }

private:
    void CloseLine(std::int64_t width, std::int32_t height) {
        runs_[lineStart_]->height = height;
        extentWidth_ = std::max(extentWidth_, Clamp(width));
        extentHeight_ = Clamp(std::int64_t{extentHeight_} + height);
    }

    std::vector<TTextRun*> runs_;
    std::size_t lineStart_ = 0;
    std::int32_t extentWidth_ = 0;
    std::int32_t extentHeight_ = 0;
};

} // namespace

void TTextLayout::Layout(TTextEvent& event, TFontPool& pool, std::int32_t wrapOverride) {
    TSubScreenControler* screen = event.GetScreen();
    TTextEventRecord* record = event.GetTextRecord();
    if (screen == nullptr || record == nullptr) {
        return;
    }
    const std::int32_t resX = record->head.resX;
    const std::int32_t resY = record->head.resY;
    double scaleX = resX != 0 ? static_cast<double>(screen->GetScreenWidth(true)) / resX : 1.0;
    double scaleY = resY != 0 ? static_cast<double>(screen->GetScreenHeight(true)) / resY : 1.0;
    if (resY == 0) {
        scaleY = scaleX;
    }
    if (resX == 0) {
        scaleX = scaleY;
    }
    event.SetScale(scaleX, scaleY);
    const TSubtitleStyleRecord* style = event.GetStyle();
    if (style == nullptr) {
        return;
    }
    if (record->alignment < kOverrideTagBit) {
        record->alignment = style->alignment;
    }
    const std::int32_t ownWrapStyle = record->wrapStyle;
    if (wrapOverride >= 0) {
        record->wrapStyle = wrapOverride;
    }
    record->effectiveMarginL = EffectiveMargin(record->marginL, scaleX, style->marginL);
    record->effectiveMarginR = EffectiveMargin(record->marginR, scaleX, style->marginR);
    record->effectiveMarginV = EffectiveMargin(record->marginV, scaleY, style->marginV);
    event.SetExtent(0, 0);
    if (event.HasRuns()) {
        TTextPainter::MeasureRuns(event, pool, screen->GetScaleY());
        switch (record->wrapStyle & 0x7F) {
        case 0:
        case 3:
            WrapToBox(event);
            break;
        case 1:
        case 2:
        case 4:
            WrapLines(event, -1);
            break;
        default:
            break;
        }
    }
    record->wrapStyle = ownWrapStyle;
}

std::int32_t TTextLayout::UsableWidth(const TTextEvent& event) {
    const TSubScreenControler* screen = event.GetScreen();
    const TTextEventRecord* record = event.GetTextRecord();
    if (screen == nullptr || record == nullptr) {
        return 0;
    }
    const std::int64_t width = std::int64_t{screen->GetScreenWidth(event.IsPositioned())} -
                               record->effectiveMarginR - record->effectiveMarginL;
    return Truncate(screen->GetScaleX() * static_cast<double>(width));
}

void TTextLayout::WrapToBox(TTextEvent& event) {
    const std::int32_t usable = UsableWidth(event);
    const std::int32_t total = MeasureLine(event, event.GetRun(kFirstRun), true);
    std::int32_t target = usable;
    if (total > 0 && usable > 0 && total > usable) {
        const double lines = std::ceil(static_cast<double>(total) / usable);
        target = Truncate(total / lines);
    }
    WrapLines(event, target);
}

// The break rules: a line is wanted to end before a run when a breakable run (blank or break) was
// seen on it, wrap style 2 is not in force, and the run would pass the usable width or the line
// already passes the target; "\N" always ends a line and "\n" does in wrap styles 2 and 4. When the
// run that passes is part of a word, the line ends at the last breakable run and the word's earlier
// pieces move to the next line with their widths.
void TTextLayout::WrapLines(TTextEvent& event, std::int32_t target) {
    const TTextEventRecord* record = event.GetTextRecord();
    if (record == nullptr) {
        return;
    }
    const std::int32_t wrap = record->wrapStyle & 0x7F;
    const std::int32_t usable = UsableWidth(event);
    if (target < 0) {
        target = usable;
    }
    LineBuilder lines(RunsBeforeEnd(event));
    std::vector<TTextRun*>& runs = lines.Runs();
    std::optional<std::size_t> breakable;
    std::int64_t before = 0; // width of the open line before run i
    for (std::size_t i = 0; i < runs.size(); ++i) {
        TTextRun& run = *runs[i];
        run.SetLineBreak(false);
        const std::int64_t with = before + run.width;
        const bool wanted =
            breakable.has_value() && wrap != 2 && (with > usable || (with > target && before > target));
        const bool forced =
            run.Kind() == kRunHardBreak || (run.Kind() == kRunSoftBreak && (wrap == 2 || wrap == 4));
        if ((!breakable.has_value() && run.Kind() == kRunWord) || !(wanted || forced)) {
            if (!IsWordOrBlock(run)) {
                breakable = i;
            }
            before = with;
            continue;
        }
        const std::size_t last = IsWordOrBlock(run) ? *breakable : i;
        lines.EndLineAt(last);
        breakable.reset();
        before = lines.WidthBefore(i + 1);
    }
    lines.EndLastLine();
    event.SetExtent(lines.ExtentWidth(), lines.ExtentHeight());
}

std::int32_t TTextLayout::MeasureLine(const TTextEvent& event, const TTextRun* first, bool allRuns) {
    std::int64_t width = 0;
    for (const TTextRun* run = first; run != nullptr && run->Kind() != kRunEnd; run = event.NextRun(run)) {
        if (!allRuns && run->BreaksLine()) {
            break;
        }
        width += run->width;
    }
    return Clamp(width);
}
