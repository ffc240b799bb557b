// Titles merge the events of their selections into one page: windows, shifts onto the title's time
// line, stretching by the time ramp, ordering and the statistics.
#include "subtitles/profiles/TTitle.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/profiles/TMergedEvent.h"
#include "subtitles/profiles/TimeScale.h"
#include "subtitles/scripts/TScriptControl.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

struct TEventSpec {
    int32_t Start;
    int32_t End;
    bool Comment = false;
};

std::string TimeText(int32_t ms) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d.%02d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                  ms / 10 % 100);
    return buffer;
}

// A v4 script whose events have the given times, texts "e0", "e1", ... in order.
std::unique_ptr<TScriptControl> MakeScript(const std::vector<TEventSpec>& events) {
    std::string text = "[Script Info]\r\nPlayResX: 640\r\nPlayResY: 480\r\n\r\n[Events]\r\n"
                       "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";
    for (std::size_t i = 0; i < events.size(); ++i) {
        text += std::string(events[i].Comment ? "Comment" : "Dialogue") + ": Marked=0," +
                TimeText(events[i].Start) + "," + TimeText(events[i].End) + ",Default,,0,0,0,,e" +
                std::to_string(i) + "\r\n";
    }
    auto script = std::make_unique<TScriptControl>();
    EXPECT_TRUE(script->Parse(text, 0)) << script->LoadError;
    return script;
}

struct TSelectSpec {
    int32_t FirstSub;
    int32_t LastSub;
    int32_t DVDStart;
    int32_t TimeRamp = 0;
    bool Enabled = true;
    int ScriptIndex = 0;
};

// A selection of `script` added to the title, its window, shift, ramp and state as the spec says.
TSelect* AddSelect(TTitle& title, TScriptControl* script, const TSelectSpec& spec) {
    TSelect* select = title.Selects.Add();
    select->FirstSub = spec.FirstSub;
    select->LastSub = spec.LastSub;
    select->DVDStart = spec.DVDStart;
    select->TimeRamp = spec.TimeRamp;
    select->Enabled = spec.Enabled ? 1 : 0;
    select->Script = script;
    return select;
}

struct TMergedTime {
    int32_t Start;
    int32_t End;
    std::u16string Text;
    bool operator==(const TMergedTime&) const = default;
};

void PrintTo(const TMergedTime& t, std::ostream* os) {
    *os << "{" << t.Start << ", " << t.End << ", " << std::string(t.Text.begin(), t.Text.end()) << "}";
}

struct TBuildCase {
    const char* Name;
    std::vector<TSelectSpec> Selects;
    std::vector<TMergedTime> Expected;
};

// Script 0: starts every 10 s from 60 s (the 80 s one a comment); script 1: a few events in between.
const std::vector<TEventSpec> kScript0{{60000, 62000}, {70000, 71000},   {80000, 81000, true},
                                       {90000, 93000}, {120000, 121500}, {130000, 131000}};
const std::vector<TEventSpec> kScript1{{1000, 2000}, {5000, 5500}, {11000, 12000}};

std::vector<TMergedTime> Merged(const TTitle& title) {
    std::vector<TMergedTime> out;
    for (const TSubEvents* event = title.Events.Head; event; event = event->Next) {
        const TTextEvent* source = TMergedEvent::SourceOf(*event);
        out.push_back({event->GetRecord()->start, event->GetRecord()->end,
                       source ? std::u16string(source->GetText()) : u"?"});
    }
    return out;
}

class TTitleBuild : public testing::TestWithParam<TBuildCase> {};

TEST_P(TTitleBuild, MergesTheSelectedEventsOntoTheTitlesTimeLine) {
    std::vector<std::unique_ptr<TScriptControl>> scripts;
    scripts.push_back(MakeScript(kScript0));
    scripts.push_back(MakeScript(kScript1));
    TTitle title;
    title.Number = 3;
    for (const TSelectSpec& spec : GetParam().Selects) {
        TSelect* select = AddSelect(title, scripts[static_cast<std::size_t>(spec.ScriptIndex)].get(), spec);
        select->TitleNumber = 3;
        select->Owner = &title;
    }
    title.BuildEvents();
    EXPECT_EQ(Merged(title), GetParam().Expected);
    // Building again gives the same page: nothing depends on the previous build.
    title.BuildEvents();
    EXPECT_EQ(Merged(title), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TTitleBuild,
    testing::Values(
        TBuildCase{
            "ShiftOnly",
            {{60000, 120000, 10000}},
            // 1:30 in a window from 1:00 with DVD start 0:10 lands at 0:40; the comment stays out
            // and the event at exactly the last subtitle time is in.
            {{10000, 12000, u"e0"}, {20000, 21000, u"e1"}, {40000, 43000, u"e3"}, {70000, 71500, u"e4"}}},
        TBuildCase{"RampStretchesFromTheWindowStart",
                   {{60000, 70000, 60000, 100}},
                   // Starts span 10000 ms, a ramp of 100 gives 1.01: 10000 after the start becomes 10100.
                   {{60000, 62020, u"e0"}, {70100, 71110, u"e1"}}},
        TBuildCase{"DisabledSelectionsGiveNothing", {{60000, 130000, 0, 0, false}}, {}},
        TBuildCase{
            "WindowBoundsAreInclusive", {{70000, 90000, 0}}, {{0, 1000, u"e1"}, {20000, 23000, u"e3"}}},
        TBuildCase{"TwoScriptsMergeByStart",
                   {{120000, 130000, 3000}, {1000, 11000, 1000, 0, true, 1}},
                   {{1000, 2000, u"e0"},
                    {3000, 4500, u"e4"},
                    {5000, 5500, u"e1"},
                    {11000, 12000, u"e2"},
                    {13000, 14000, u"e5"}}},
        TBuildCase{"NegativeDVDStartKeepsTheSign",
                   {{60000, 70000, -5000}},
                   {{-5000, -3000, u"e0"}, {5000, 6000, u"e1"}}},
        TBuildCase{"EmptyWindow", {{61000, 69000, 0}}, {}},
        TBuildCase{"ExtremeTimesSaturate", {{60000, 60000, INT_MAX, INT_MAX}}, {{INT_MAX, INT_MAX, u"e0"}}}),
    [](const testing::TestParamInfo<TBuildCase>& info) { return std::string(info.param.Name); });

TEST(TTitle, RampCaseFromTheNumbers) {
    EXPECT_DOUBLE_EQ(TimeScaleFactor(10000, 100), 1.01);
    EXPECT_DOUBLE_EQ(TimeScaleFactor(0, 100), 1.0);
    EXPECT_DOUBLE_EQ(TimeScaleFactor(10000, 0), 1.0);
    int32_t time = 65000;
    EXPECT_EQ(ScaleTimeFromOrigin(60000, time, 1.01), 65050);
    time = 59000; // before the origin: unchanged
    EXPECT_EQ(ScaleTimeFromOrigin(60000, time, 1.01), 59000);
    time = INT_MAX;
    EXPECT_EQ(ScaleTimeFromOrigin(INT_MIN, time, 1e9), INT_MAX);
    // Unscaling takes a scaled time back; before the origin, or with no factor, it stays.
    time = 65050;
    EXPECT_EQ(UnscaleTimeFromOrigin(60000, time, 1.01), 65000);
    time = 59000;
    EXPECT_EQ(UnscaleTimeFromOrigin(60000, time, 1.01), 59000);
    time = 65000;
    EXPECT_EQ(UnscaleTimeFromOrigin(60000, time, 0.0), 65000);
    time = INT_MAX;
    EXPECT_EQ(UnscaleTimeFromOrigin(0, time, 1e-9), INT_MAX);
}

TEST(TTitle, FindsTheCopyOfAnEventMadeThroughASelection) {
    auto script = MakeScript(kScript0);
    TTitle title;
    TSelect* first = AddSelect(title, script.get(), {60000, 70000, 0});
    TSelect* second = AddSelect(title, script.get(), {60000, 60000, 1000000});
    title.BuildEvents();
    const TSubEvents& source = *script->Events.Head;
    const TMergedEvent* viaFirst = title.FindEventCopy(source, *first);
    const TMergedEvent* viaSecond = title.FindEventCopy(source, *second);
    ASSERT_NE(viaFirst, nullptr);
    ASSERT_NE(viaSecond, nullptr);
    EXPECT_NE(viaFirst, viaSecond);
    EXPECT_EQ(&viaSecond->GetSelect(), second);
    EXPECT_EQ(viaSecond->GetRecord()->start, 1000000);
    EXPECT_EQ(title.FindEventCopy(*script->Events.Tail, *first), nullptr) << "outside the window";
}

TEST(TSelect, SpanScriptTakesTheSmallestAndLargestStartOfNonComments) {
    TSelect select;
    select.FirstSub = 5;
    select.LastSub = 6;
    EXPECT_FALSE(select.SpanScript()) << "no script";
    auto onlyComments = MakeScript({{1000, 2000, true}});
    select.Script = onlyComments.get();
    EXPECT_FALSE(select.SpanScript());
    EXPECT_EQ(select.FirstSub, 5);
    EXPECT_EQ(select.LastSub, 6);
    auto script =
        MakeScript({{9000, 9500}, {500, 8000, true}, {3000, 4000}, {12000, 12500}, {20000, 21000, true}});
    select.Script = script.get();
    EXPECT_TRUE(select.SpanScript());
    EXPECT_EQ(select.FirstSub, 3000);
    EXPECT_EQ(select.LastSub, 12000);
}

TEST(TTitle, StatisticsOfTheSelectionAndTheTitle) {
    auto script = MakeScript(kScript0);
    TTitle title;
    AddSelect(title, script.get(), {60000, 90000, 1000});
    const TSelectStats stats = title.BuildEvents();
    EXPECT_EQ(stats.Count, 3);
    EXPECT_EQ(stats.MinStartUnshifted, 60000);
    EXPECT_EQ(stats.MaxStartUnshifted, 90000);
    EXPECT_EQ(stats.MinStart, 1000); // refreshed from the copies
    EXPECT_EQ(stats.MaxStart, 31000);
    EXPECT_EQ(stats.MaxEnd, 34000);
    EXPECT_EQ(stats.Duration, 33000);
    EXPECT_EQ(stats.StartSpan, 30000);
    EXPECT_EQ(stats.Valid, 1);
    EXPECT_EQ(title.Stats.Count, 3);
    EXPECT_EQ(title.Stats.MinStart, 1000);
    EXPECT_EQ(title.Stats.Duration, 33000);
    EXPECT_EQ(title.Stats.Valid, 1);
}

// A selection whose events cannot give valid statistics (every end 0) is copied unstretched, not
// with the factor a previous build computed.
TEST(TTitle, InvalidStatisticsDropTheFactorOfAnEarlierBuild) {
    auto script = MakeScript({{60000, 61000}, {70000, 71000}});
    TTitle title;
    TSelect* select = AddSelect(title, script.get(), {60000, 70000, 60000, 10000}); // ramp: factor 2
    title.BuildEvents();
    EXPECT_DOUBLE_EQ(select->ScaleFactor, 2.0);
    EXPECT_EQ(title.Events.Tail->GetRecord()->start, 80000);
    for (TSubEvents* event = script->Events.Head; event; event = event->Next) {
        event->GetRecord()->end = 0;
    }
    const TSelectStats stats = title.BuildEvents();
    EXPECT_EQ(stats.Valid, 0);
    EXPECT_DOUBLE_EQ(select->ScaleFactor, 1.0);
    EXPECT_EQ(title.Events.Tail->GetRecord()->start, 70000);
}

TEST(TTitle, OneSelectionIntoAnotherList) {
    auto script = MakeScript(kScript0);
    TTitle title;
    AddSelect(title, script.get(), {60000, 70000, 0});
    TSelect* second = AddSelect(title, script.get(), {120000, 130000, 0, 0, false});
    TPointer<TSubEvents> target;
    const TSelectStats stats = title.BuildEvents(&target, second);
    EXPECT_EQ(stats.Count, 2);
    EXPECT_EQ(target.Count, 2);
    EXPECT_EQ(title.Events.Count, 0);
}

TEST(TTitle, SortsSelectionsByInfoKeepingEqualKeysInOrder) {
    TTitle title;
    for (const auto& [info, name] :
         std::vector<std::pair<int32_t, std::string>>{{3, "c"}, {1, "a1"}, {2, "b"}, {1, "a2"}, {0, "z"}}) {
        TSelect* select = title.Selects.Add();
        select->Info = info;
        select->Name = name;
    }
    title.SortSelections();
    std::vector<std::string> names;
    for (const TSelect* select = title.Selects.Head; select; select = select->Next) {
        names.push_back(select->Name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"z", "a1", "a2", "b", "c"}));
    EXPECT_EQ(title.Selects.Tail->Name, "c");
    EXPECT_EQ(title.Selects.Head->Prev, nullptr);
}

// The serialised copy is the source's record and text with the copy's times.
TEST(TMergedEvent, WritesTheSourceRecordWithItsOwnTimes) {
    auto script = MakeScript(kScript0);
    TTitle title;
    TSelect* select = AddSelect(title, script.get(), {60000, 60000, 500});
    select->TitleNumber = 7;
    title.BuildEvents();
    ASSERT_EQ(title.Events.Count, 1);
    const auto& copy = dynamic_cast<const TMergedEvent&>(*title.Events.Head);
    EXPECT_EQ(copy.GetTitleNumber(), 7);
    EXPECT_EQ(&copy.GetSelect(), select);
    const TSubEvents& source = *script->Events.Head;
    ASSERT_EQ(copy.GetRecordSize(), source.GetRecordSize());
    std::vector<char> fromCopy(copy.GetRecordSize()), fromSource(source.GetRecordSize());
    ASSERT_EQ(copy.WriteRecord(fromCopy.data(), fromCopy.size()), fromCopy.size());
    source.WriteRecord(fromSource.data(), fromSource.size());
    TSubEventRecord head{};
    std::memcpy(&head, fromCopy.data(), sizeof head);
    EXPECT_EQ(head.start, 500);
    EXPECT_EQ(head.end, 2500);
    EXPECT_EQ(head.resY, 480);
    // Everything after the head (style, margins, text) is the source's.
    EXPECT_EQ(std::vector<char>(fromCopy.begin() + sizeof head, fromCopy.end()),
              std::vector<char>(fromSource.begin() + sizeof head, fromSource.end()));
    EXPECT_EQ(copy.WriteRecord(fromCopy.data(), 10), 0u);
}

} // namespace
