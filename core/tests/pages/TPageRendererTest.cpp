// Layout, placement and drawing of pages with a fixed-advance context: each character of the
// 15-point style is 10 x 20 pixels; the mapping is a 640 x 480 frame and area, scales 1.0.
#include "core/src/pages/TPageRenderer.h"
#include "core/src/pages/TSubDisplay.h"
#include "core/tests/pages/PageBlockBuilder.h"
#include "platform/testing/FixedAdvanceDc.h"
#include "subtitles/model/FixedText.h"
#include "subtitles/model/TTextEvent.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr std::uint32_t kPrimary = 0xFFFFFF;
constexpr std::uint32_t kSecondary = 0x00FFFF;
constexpr std::uint32_t kTertiary = 0xFF00FF;

TSubtitleStyleRecord Style(const char16_t* name, std::int32_t alignment) {
    TSubtitleStyleRecord style{};
    SetFixedText(style.name, kStyleNameUnits, name);
    SetFixedText(style.fontName, kStyleFontNameUnits, u"DejaVu Sans");
    style.fontSize = 15;
    style.primaryColour = kPrimary;
    style.secondaryColour = kSecondary;
    style.tertiaryColour = kTertiary;
    style.alignment = alignment;
    style.marginL = 10;
    style.marginR = 10;
    style.marginV = 10;
    return style;
}

struct Placed {
    std::uint32_t id;
    std::int32_t x;
    std::int32_t y;
    std::int32_t moves;
    bool operator==(const Placed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Placed& placed) {
    return out << "{" << placed.id << ": " << placed.x << ", " << placed.y << ", moves " << placed.moves
               << "}";
}

class TPageRendererTest : public testing::Test {
protected:
    TPageRendererTest() : mapping_(TScreenSize{640, 480}) {
        auto renderer =
            std::make_unique<TPageRenderer>([] { return std::make_unique<FixedAdvanceDc>(10, 20); });
        renderer_ = renderer.get();
        display_.SetLayouter(std::move(renderer));
        display_.SetStyle(Style(u"Default", 2));
        display_.SetEnabled(true, true);
        mapping_.SetFrameRect(0, 0, 640, 480);
        mapping_.SetAreaRect(0, 0, 640, 480);
        mapping_.ComputeRects();
        display_.RenderAll(&mapping_, true);
    }

    void Load(const std::vector<TTestEvent>& events) {
        const std::vector<std::byte> order = PageBlockBuilder::Order(1, events);
        ASSERT_TRUE(
            display_.SetBlock(1, std::span(order).subspan(kPageOrderHeadBytes - kPageBlockHeadBytes)));
        ASSERT_TRUE(display_.SelectBlock(1));
    }

    // The shown slot's placements at `time`, by event id.
    std::vector<Placed> PlacedAt(std::int32_t time) {
        display_.SetTime(time);
        std::vector<Placed> placed;
        const TChronoEvents* slot = display_.CurrentBlock()->ShownSlot();
        if (slot == nullptr || !slot->HasPlacements()) {
            return placed;
        }
        for (std::size_t i = 0; i < slot->Events().size(); ++i) {
            const TEventPlacement& entry = slot->Placements()[i];
            placed.push_back(
                {slot->Events()[i]->GetRecord()->clientReference, entry.x, entry.y, entry.moves});
        }
        return placed;
    }

    // What drawing at `time` puts on a recording context.
    std::vector<FixedAdvanceDc::TextCall> DrawnAt(std::int32_t time) {
        display_.SetTime(time);
        FixedAdvanceDc dc(10, 20);
        display_.Paint(&dc, false, nullptr);
        return dc.TextCalls();
    }

    TSubScreenControler mapping_;
    TSubDisplay display_;
    TPageRenderer* renderer_ = nullptr;
};

// A four-letter word is 40 x 20: centred at x = 320 - 20; at the bottom y = 480 - 10 - 20.
TEST_F(TPageRendererTest, SameLayerBottomEventsStackUpwardsAndCountTheirMoves) {
    Load({{1, 0, 1000, 0, u"aaaa"},
          {2, 0, 1000, 0, u"bbbb"},
          {3, 0, 1000, 0, u"cccc"},
          {4, 0, 1000, 1, u"dddd"}});
    EXPECT_EQ(PlacedAt(0),
              (std::vector<Placed>{{1, 300, 450, 0}, {2, 300, 429, 1}, {3, 300, 408, 2}, {4, 300, 450, 0}}));
}

TEST_F(TPageRendererTest, MovedEventsAreDrawnInTheSecondaryAndTertiaryColours) {
    Load({{1, 0, 1000, 0, u"aaaa"},
          {2, 0, 1000, 0, u"bbbb"},
          {3, 0, 1000, 0, u"cccc"},
          {4, 0, 1000, 0, u"{\\2c&H0000FF&}dddd"}});
    std::map<std::u16string, std::uint32_t> colours;
    for (const auto& call : DrawnAt(0)) {
        colours[call.text] = call.colour;
    }
    EXPECT_EQ(colours[u"aaaa"], kPrimary);
    EXPECT_EQ(colours[u"bbbb"], kSecondary);
    EXPECT_EQ(colours[u"cccc"], kTertiary);
    EXPECT_EQ(colours[u"dddd"], kTertiary) << "\\2c names the secondary colour, not the tertiary";
}

TEST_F(TPageRendererTest, SecondaryColourTagRecoloursAnEventMovedOnce) {
    Load({{1, 0, 1000, 0, u"aaaa"}, {2, 0, 1000, 0, u"{\\2c&H0000FF&}bbbb"}});
    const auto calls = DrawnAt(0);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].colour, 0x0000FFu);
}

TEST_F(TPageRendererTest, TopEventsStackDownwardsAndStopAtTheBottom) {
    // 150 points is 200 pixels: the third no longer fits below the second and stays at 480 - 201.
    Load({{1, 0, 1000, 0, u"{\\an8\\fs150}a"},
          {2, 0, 1000, 0, u"{\\an8\\fs150}b"},
          {3, 0, 1000, 0, u"{\\an8\\fs150}c"}});
    const std::vector<Placed> placed = PlacedAt(0);
    ASSERT_EQ(placed.size(), 3u);
    EXPECT_EQ(placed[0].y, 10);
    EXPECT_EQ(placed[1].y, 211);
    EXPECT_EQ(placed[2].y, 279);
    EXPECT_EQ(placed[2].moves, 2);
}

TEST_F(TPageRendererTest, BottomEventsPushedPastTheTopStayAtTheTop) {
    Load({{1, 0, 1000, 0, u"{\\fs150}a"}, {2, 0, 1000, 0, u"{\\fs150}b"}, {3, 0, 1000, 0, u"{\\fs150}c"}});
    const std::vector<Placed> placed = PlacedAt(0);
    EXPECT_EQ(placed[0].y, 270);
    EXPECT_EQ(placed[1].y, 69);
    EXPECT_EQ(placed[2].y, 0);
}

TEST_F(TPageRendererTest, EventContinuingIntoTheNextSlotKeepsItsPlace) {
    Load({{1, 0, 1000, 0, u"aaaa"}, {2, 0, 2000, 0, u"bbbb"}, {3, 1000, 2000, 0, u"cccc"}});
    EXPECT_EQ(PlacedAt(500), (std::vector<Placed>{{1, 300, 450, 0}, {2, 300, 429, 1}}));
    // At 1000 the first has ended: the second stays above, the new one takes the free bottom place.
    EXPECT_EQ(PlacedAt(1000), (std::vector<Placed>{{2, 300, 429, 1}, {3, 300, 450, 0}}));
}

// A slot shown first, without the slots before it, places its events as showing every slot in time order
// would: the continuing event keeps the place the earlier slot gave it.
TEST_F(TPageRendererTest, ASlotShownFirstKeepsThePlacesOfTheSlotsBeforeIt) {
    Load({{1, 0, 1000, 0, u"aaaa"}, {2, 0, 3000, 0, u"bbbb"}, {3, 1000, 2000, 0, u"cccc"}});
    EXPECT_EQ(PlacedAt(2500), (std::vector<Placed>{{2, 300, 429, 1}}));
    EXPECT_EQ(PlacedAt(1500), (std::vector<Placed>{{2, 300, 429, 1}, {3, 300, 450, 0}}));
}

// Loading a page lays out none of its events; each is laid out when a slot that holds it is first shown,
// and a new layout (a new mapping) starts that over.
TEST_F(TPageRendererTest, EventsAreLaidOutWhenFirstShown) {
    Load({{1, 0, 1000, 0, u"aaaa"}, {2, 5000, 6000, 0, u"bbbbbb"}});
    const auto extent = [this](std::size_t index) {
        TSubEvents* event = display_.CurrentBlock()->Events().Head;
        for (std::size_t i = 0; i < index; ++i) {
            event = event->Next;
        }
        std::int32_t w = 0;
        std::int32_t h = 0;
        event->GetExtent(w, h);
        return std::make_pair(w, h);
    };
    EXPECT_EQ(extent(0), std::make_pair(0, 0));
    EXPECT_EQ(extent(1), std::make_pair(0, 0));
    DrawnAt(500);
    EXPECT_EQ(extent(0), std::make_pair(40, 20));
    EXPECT_EQ(extent(1), std::make_pair(0, 0)) << "not shown yet";
    const std::vector<FixedAdvanceDc::TextCall> drawn = DrawnAt(5500);
    EXPECT_EQ(extent(1), std::make_pair(60, 20));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].text, u"bbbbbb");
}

TEST_F(TPageRendererTest, AnEventIsNotDrawnAtItsEndTime) {
    Load({{1, 0, 1000, 0, u"aaaa"}, {2, 1000, 2000, 0, u"bbbb"}});
    const auto atStart = DrawnAt(999);
    ASSERT_EQ(atStart.size(), 1u);
    EXPECT_EQ(atStart[0].text, u"aaaa");
    const auto atEnd = DrawnAt(1000);
    ASSERT_EQ(atEnd.size(), 1u);
    EXPECT_EQ(atEnd[0].text, u"bbbb");
    EXPECT_EQ(atEnd[0].y, 470) << "alone again at the bottom, drawn from its cell bottom";
    EXPECT_TRUE(DrawnAt(2000).empty());
}

TEST_F(TPageRendererTest, AlignmentsMarginsAndPositions) {
    struct Case {
        const char* text;
        std::int32_t x;
        std::int32_t y;
    };
    const Case cases[] = {
        {"{\\a1}aaaa", 10, 450},         {"{\\a3}aaaa", 590, 450}, {"{\\a5}aaaa", 10, 10},
        {"{\\an5}aaaa", 300, 230},       {"{\\an9}aaaa", 590, 10}, {"{\\pos(100,200)}aaaa", 100, 200},
        {"{\\an2\\pos(7,8)}aaaa", 7, 8},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        std::u16string text;
        for (const char* c = test.text; *c != 0; ++c) {
            text.push_back(static_cast<char16_t>(*c));
        }
        Load({{1, 0, 1000, 0, text}});
        const std::vector<Placed> placed = PlacedAt(0);
        ASSERT_EQ(placed.size(), 1u);
        EXPECT_EQ(std::make_pair(placed[0].x, placed[0].y), std::make_pair(test.x, test.y));
    }
}

TEST_F(TPageRendererTest, DrawingOffsetsByTheMappingsEdgeAndUsesBottomAlignedText) {
    mapping_.SetAreaRect(10, 20, 640, 480);
    mapping_.ComputeRects();
    display_.RenderAll(&mapping_, false);
    Load({{1, 0, 1000, 0, u"aaaa"}});
    display_.SetTime(0);
    FixedAdvanceDc dc(10, 20);
    EXPECT_TRUE(display_.Paint(&dc, false, nullptr));
    ASSERT_EQ(dc.TextCalls().size(), 1u);
    EXPECT_EQ(dc.TextCalls()[0].x, 320);
    EXPECT_EQ(dc.TextCalls()[0].y, 10 + 450 + 20);
    EXPECT_EQ(dc.Align(), plat::gdi::TextAlign::Bottom);
    EXPECT_EQ(dc.BkMode(), plat::gdi::BkMode::Transparent);
}

TEST_F(TPageRendererTest, StylesAreFoundWithoutRegardToCaseElseTheFirstIsUsed) {
    TSubtitleStyleRecord top = Style(u"Top", 8);
    display_.SetStyle(top);
    TTestEvent upper{1, 0, 1000, 0, u"aaaa"};
    Load({upper});
    // The builder names "Default"; rename in place through the page's record, then lay out again.
    TTextEvent* event = static_cast<TTextEvent*>(display_.CurrentBlock()->Events().Head);
    SetFixedText(event->GetTextRecord()->styleName, kStyleNameUnits, u"tOP");
    event->GetTextRecord()->alignment = 0;
    display_.RenderAll(nullptr, false);
    EXPECT_EQ(PlacedAt(0)[0].y, 230) << "middle-aligned: the style Top";
    SetFixedText(event->GetTextRecord()->styleName, kStyleNameUnits, u"Missing");
    event->GetTextRecord()->alignment = 0;
    display_.RenderAll(nullptr, false);
    EXPECT_EQ(PlacedAt(0)[0].y, 450) << "the first style, Default";
}

TEST_F(TPageRendererTest, DrawOverridesReachTheDrawing) {
    TSubtitleStyleRecord outlined = Style(u"Default", 2);
    outlined.borderStyle = 1;
    outlined.outline = 1;
    display_.SetStyle(outlined);
    Load({{1, 0, 1000, 0, u"a"}});
    EXPECT_EQ(DrawnAt(0).size(), 8u + 1u) << "disc pattern of width 1";
    renderer_->SetDrawOverrides({kOutlineStrokedPath, 3, 0});
    const auto calls = DrawnAt(0);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].penWidth, 7);
}

TEST_F(TPageRendererTest, NothingIsDrawnWhileTheDisplayIsOffOrWithoutAPage) {
    FixedAdvanceDc dc(10, 20);
    EXPECT_FALSE(display_.Paint(&dc, false, nullptr));
    Load({{1, 0, 1000, 0, u"aaaa"}});
    display_.SetEnabled(false, true);
    display_.SetTime(0);
    EXPECT_FALSE(display_.Paint(&dc, false, nullptr));
    EXPECT_TRUE(dc.TextCalls().empty());
}

} // namespace
