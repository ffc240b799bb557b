// Orders 500-507 on the page model: a page per title and the profile-mode keys, replacing and
// clearing pages, the style list (which always keeps "Default"), the display switch and when pages
// are laid out again, and the values the orders store.
#include "core/src/pages/TPageRenderer.h"
#include "core/tests/pages/PagesTest.h"

#include "subtitles/model/FixedText.h"

#include <cstring>
#include <map>
#include <string>

namespace {

using Ids = std::vector<std::uint32_t>;

// Counts what the display asks of its layouter, per page key.
class RecordingLayouter : public TPageLayouter {
public:
    void Layout(TTitleBlock& page, std::int32_t) override { ++layouts[page.GetKey()]; }
    void LayOutShown(TTitleBlock&) override {}
    bool Paint(TTitleBlock&, plat::gdi::Dc*, std::int32_t, bool, TSubEvents*) override {
        ++paints;
        return true;
    }
    std::map<std::uint32_t, int> layouts;
    int paints = 0;
};

class TSubDisplayOrdersTest : public PagesTest {
protected:
    void SetUp() override {
        PagesTest::SetUp();
        auto layouter = std::make_unique<RecordingLayouter>();
        layouter_ = layouter.get();
        const std::lock_guard lock(player_.SubtitleLock());
        player_.SubDisplay().SetLayouter(std::move(layouter));
    }

    // Pages 1, 2 and 3, each with one event [0, 1000] whose id is 10 x the key.
    void LoadThreePages() {
        for (std::uint32_t key : {1u, 2u, 3u}) {
            ASSERT_EQ(SendPages(key, {{key * 10, 0, 1000}}), 0);
        }
    }

    int SendStyle(std::uint32_t step, std::u16string_view name = u"", std::int32_t fontSize = 0) {
        TOrderStyles order{{0, sizeof(order)}, step, {}};
        TSubtitleStyleRecord style{};
        SetFixedText(style.name, kStyleNameUnits, name);
        style.fontSize = fontSize;
        std::memcpy(order.style, &style, sizeof(style));
        return Send(kOrderStyles, &order);
    }

    // Style names in list order with their font sizes.
    std::vector<std::pair<std::u16string, std::int32_t>> Styles() {
        const std::lock_guard lock(player_.SubtitleLock());
        std::vector<std::pair<std::u16string, std::int32_t>> styles;
        for (const TSubtitleStyleNode* node = player_.SubDisplay().Styles().Head; node != nullptr;
             node = node->Next) {
            styles.emplace_back(FixedTextView(node->record.name, kStyleNameUnits), node->record.fontSize);
        }
        return styles;
    }

    int LayoutsOf(std::uint32_t key) {
        const std::lock_guard lock(player_.SubtitleLock());
        return layouter_->layouts[key];
    }

    bool Enabled() {
        const std::lock_guard lock(player_.SubtitleLock());
        return player_.SubDisplay().IsEnabled();
    }

    bool HasCurrentPage() {
        const std::lock_guard lock(player_.SubtitleLock());
        return player_.SubDisplay().HasCurrentBlock();
    }

    RecordingLayouter* layouter_ = nullptr;
};

TEST_F(TSubDisplayOrdersTest, TheProfileTitleSelectsThePageOfItsLowByte) {
    LoadThreePages();
    struct Case {
        std::int32_t title;
        int answer;
        Ids shown;
    };
    for (const Case& c : {Case{2, 0, {20}}, Case{257, 0, {10}}, Case{3, 0, {30}}, Case{9, -1, {}},
                          Case{-1, -1, {}}, Case{0x7FFFFF02, 0, {20}}}) {
        EXPECT_EQ(SelectTitle(c.title), c.answer) << c.title;
        EXPECT_EQ(player_.ProfileTitle(), c.title);
        EXPECT_EQ(ShownAt(0), c.shown) << c.title;
    }
}

TEST(TCorePlayerPageKeyTest, KeysFollowTheLocationAndTheProfileMode) {
    constexpr std::uint32_t kFile = 0xFFFFFFFFu;
    struct Case {
        std::uint32_t location;
        std::int32_t profileTitle;
        bool profileFlag;
        std::uint32_t key;
    };
    for (const Case& c : {Case{(2u << 16) + 3, -1, true, 770}, Case{(2u << 16) + 3, -1, false, 3},
                          Case{(2u << 16) + 3, 9, true, 770}, Case{kFile, 7, false, 7},
                          Case{kFile, 7, true, 7}, Case{kFile, 263, true, 7}, Case{kFile, -1, false, 0xFF},
                          Case{0x0102, -1, false, 2}, Case{(300u << 16) + 1, -1, true, 256 + 300}}) {
        EXPECT_EQ(TCorePlayer::PageKey(c.location, c.profileTitle, c.profileFlag), c.key)
            << std::hex << c.location << " " << c.profileTitle << " " << c.profileFlag;
    }
}

TEST_F(TSubDisplayOrdersTest, ASecondPageOfTheSameKeyReplacesTheFirstAndIsLaidOut) {
    LoadThreePages();
    ASSERT_EQ(SelectTitle(2), 0);
    EXPECT_EQ(ShownAt(0), (Ids{20}));
    EXPECT_EQ(LayoutsOf(2), 1);
    ASSERT_EQ(SendPages(2, {{21, 0, 500}, {22, 500, 1000}}), 0);
    EXPECT_FALSE(HasCurrentPage()); // without a playing title nothing is chosen anew
    EXPECT_EQ(LayoutsOf(2), 2);
    {
        const std::lock_guard lock(player_.SubtitleLock());
        EXPECT_EQ(player_.SubDisplay().Blocks().Count, 3);
    }
    ASSERT_EQ(SelectTitle(2), 0);
    EXPECT_EQ(ShownAt(600), (Ids{22}));
}

TEST_F(TSubDisplayOrdersTest, ClearingForgetsPagesProfileTitleAndProfileFlag) {
    LoadThreePages();
    ASSERT_EQ(SendValue(kOrderProfileFlag, TOrderProfileFlag{{}, 1, {}}), 0);
    ASSERT_EQ(SelectTitle(3), 0);
    EXPECT_TRUE(player_.ProfileFlag());
    ASSERT_EQ(Send(kOrderClearSubtitles, nullptr), 0);
    EXPECT_EQ(player_.ProfileTitle(), -1);
    EXPECT_FALSE(player_.ProfileFlag());
    EXPECT_FALSE(HasCurrentPage());
    EXPECT_EQ(SelectTitle(3), -1);
    const std::lock_guard lock(player_.SubtitleLock());
    EXPECT_EQ(player_.SubDisplay().Blocks().Count, 0);
}

TEST_F(TSubDisplayOrdersTest, ResettingStylesKeepsOneZeroedDefault) {
    using StyleList = std::vector<std::pair<std::u16string, std::int32_t>>;
    EXPECT_EQ(Styles(), (StyleList{{u"Default", 0}}));
    EXPECT_EQ(SendStyle(4, u"Default", 24), 0);
    EXPECT_EQ(SendStyle(4, u"Sign", 18), 0);
    EXPECT_EQ(SendStyle(4, u"default", 12), 0); // names compare exactly
    EXPECT_EQ(SendStyle(4, u"Sign", 20), 0);
    EXPECT_EQ(Styles(), (StyleList{{u"Default", 24}, {u"Sign", 20}, {u"default", 12}}));
    EXPECT_EQ(SendStyle(7), 0); // other steps do nothing
    EXPECT_EQ(Styles().size(), 3u);
    EXPECT_EQ(SendStyle(1), 0);
    EXPECT_EQ(Styles(), (StyleList{{u"Default", 0}}));
}

TEST_F(TSubDisplayOrdersTest, AStyleNameWithoutTerminatorIsCutToItsField) {
    const std::u16string full(kStyleNameUnits, u'N');
    TOrderStyles order{{0, sizeof(order)}, 4, {}};
    TSubtitleStyleRecord style{};
    std::memcpy(style.name, full.data(), sizeof(style.name));
    std::memcpy(order.style, &style, sizeof(style));
    ASSERT_EQ(Send(kOrderStyles, &order), 0);
    EXPECT_EQ(Styles().back().first, full.substr(0, kStyleNameUnits - 1));
}

// Pages are laid out again when a style is added or the styles are reset while the display is on, and
// when the display is switched on; replacing an existing style does not lay them out.
TEST_F(TSubDisplayOrdersTest, StylesAndTheDisplaySwitchLayOutThePagesOnlyWhileTheDisplayIsOn) {
    LoadThreePages();
    struct Step {
        std::uint32_t step;
        std::u16string name;
        int layouts; // of every page, after the step
        bool enabled;
    };
    const Step steps[] = {
        {4, u"New", 1, false},    {3, u"", 2, true}, {4, u"New", 2, true}, {4, u"Other", 3, true},
        {4, u"Default", 3, true}, {1, u"", 4, true}, {2, u"", 4, false},   {4, u"Third", 4, false},
        {1, u"", 4, false},       {3, u"", 5, true},
    };
    for (const Step& s : steps) {
        ASSERT_EQ(SendStyle(s.step, s.name), 0);
        for (std::uint32_t key : {1u, 2u, 3u}) {
            EXPECT_EQ(LayoutsOf(key), s.layouts) << s.step << " " << key;
        }
        EXPECT_EQ(Enabled(), s.enabled) << s.step;
    }
}

// A new video area: every page takes the player's new mapping, laid out again unless only stored.
TEST_F(TSubDisplayOrdersTest, RenderAllGivesEveryPageTheMapping) {
    LoadThreePages();
    TSubScreenControler mapping(TScreenSize{1280, 1024});
    mapping.SetResolution(640, 480);
    const std::lock_guard lock(player_.SubtitleLock());
    TSubDisplay& display = player_.SubDisplay();
    display.RenderAll(&mapping, true);
    EXPECT_EQ(display.Mapping().GetResX(), 640);
    for (TTitleBlock* page = display.Blocks().Head; page != nullptr; page = page->Next) {
        EXPECT_EQ(page->Mapping().GetResY(), 480);
        EXPECT_EQ(page->Mapping().GetFittedScreen().height, 960);
        EXPECT_EQ(page->Styles(), &display.Styles());
        EXPECT_EQ(layouter_->layouts[page->GetKey()], 1);
    }
    display.RenderAll(nullptr, false);
    for (std::uint32_t key : {1u, 2u, 3u}) {
        EXPECT_EQ(layouter_->layouts[key], 2);
    }
}

TEST_F(TSubDisplayOrdersTest, TheCurrentPageIsDrawnOnlyWhileTheDisplayIsOn) {
    LoadThreePages();
    ASSERT_EQ(SelectTitle(1), 0);
    ReportTime(0);
    const auto paint = [&] {
        const std::lock_guard lock(player_.SubtitleLock());
        return player_.SubDisplay().Paint(nullptr, false, nullptr);
    };
    EXPECT_FALSE(paint());
    ASSERT_EQ(SendStyle(3), 0);
    EXPECT_TRUE(paint());
    ASSERT_EQ(SendStyle(2), 0);
    EXPECT_FALSE(paint());
    EXPECT_EQ(layouter_->paints, 1);
}

TEST_F(TSubDisplayOrdersTest, SwitchingSubtitlesOnShowsThePageForTheLastClockTime) {
    LoadThreePages();
    ASSERT_EQ(SelectTitle(1), 0);
    ASSERT_EQ(SendValue(kOrderSubtitlesOn, TOrderSubtitlesOn{{}, 1, {}}), 0);
    EXPECT_TRUE(Shown().empty()); // no clock time yet
    ReportTime(1500);
    EXPECT_TRUE(Shown().empty());
    ASSERT_EQ(SendValue(kOrderSubtitleOffset, TOrderSubtitleOffset{{}, -1000}), 0);
    ASSERT_EQ(SendValue(kOrderSubtitlesOn, TOrderSubtitlesOn{{}, 0, {}}), 0);
    EXPECT_FALSE(player_.SubtitlesOn());
    ASSERT_EQ(SendValue(kOrderSubtitlesOn, TOrderSubtitlesOn{{}, 1, {}}), 0);
    EXPECT_TRUE(player_.SubtitlesOn());
    EXPECT_EQ(Shown(), (Ids{10}));
}

TEST_F(TSubDisplayOrdersTest, OffsetFlagAndDrawingOverridesAreStored) {
    EXPECT_EQ(SendValue(kOrderSubtitleOffset, TOrderSubtitleOffset{{}, -250}), 0);
    EXPECT_EQ(player_.SubtitleOffset(), -250);
    EXPECT_EQ(SendValue(kOrderProfileFlag, TOrderProfileFlag{{}, 2, {}}), 0);
    EXPECT_TRUE(player_.ProfileFlag());
    EXPECT_EQ(SendValue(kOrderStyleOverride, TOrderStyleOverride{{}, 3, 2, -1}), 0);
    EXPECT_EQ(player_.StyleOverride().shadowDepth, 3);
    EXPECT_EQ(player_.StyleOverride().outlineStyle, 2);
    EXPECT_EQ(player_.StyleOverride().outlineWidth, -1);
}

} // namespace

// The player's own page renderer draws with the overrides of order 507.
TEST_F(PagesTest, DrawingOverridesReachThePlayersPageRenderer) {
    EXPECT_EQ(SendValue(kOrderStyleOverride, TOrderStyleOverride{{}, 0, 1, 3}), 0);
    const std::lock_guard lock(player_.SubtitleLock());
    auto* renderer = dynamic_cast<TPageRenderer*>(player_.SubDisplay().Layouter());
    ASSERT_NE(renderer, nullptr);
    EXPECT_EQ(renderer->DrawOverrides().outlineMethod, kOutlineStrokedPath);
    EXPECT_EQ(renderer->DrawOverrides().outlineWidth, 3);
    EXPECT_EQ(renderer->DrawOverrides().shadowDepth, 0);
}
