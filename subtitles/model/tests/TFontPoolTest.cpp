#include "subtitles/model/TFontPool.h"
#include "platform/testing/FixedAdvanceDc.h"
#include "subtitles/model/FixedText.h"

#include <gtest/gtest.h>

namespace {

TFontDescription Description(const char16_t* face, std::int32_t size) {
    TFontDescription description{};
    SetFixedText(description.faceName, 100, face);
    description.size = size;
    return description;
}

TEST(TFontPoolTest, KeepsTenFontsAndDeletesTheOldestMade) {
    FixedAdvanceDc dc(10, 20);
    TFontPool pool(&dc);
    for (std::int32_t size = 1; size <= 11; ++size) {
        pool.SelectFont(Description(u"A", size));
    }
    EXPECT_EQ(dc.FontsMade().size(), 11u);
    EXPECT_EQ(pool.Count(), 10u);
    EXPECT_EQ(dc.FontsAlive(), 10);
    pool.SelectFont(Description(u"A", 1)); // the first was deleted: made again
    EXPECT_EQ(dc.FontsMade().size(), 12u);
    pool.SelectFont(Description(u"A", 11)); // still cached
    EXPECT_EQ(dc.FontsMade().size(), 12u);
}

TEST(TFontPoolTest, IdenticalDescriptionsShareOneFontAndAnyByteMakesANewOne) {
    FixedAdvanceDc dc(10, 20);
    TFontPool pool(&dc);
    TFontDescription description = Description(u"A", 15);
    pool.SelectFont(description);
    pool.SelectFont(description);
    EXPECT_EQ(dc.FontsMade().size(), 1u);
    description.backColour = 1; // not part of the font, but part of the description
    pool.SelectFont(description);
    EXPECT_EQ(dc.FontsMade().size(), 2u);
}

TEST(TFontPoolTest, ResetRestoresTheFirstFontAndDeletesTheCache) {
    FixedAdvanceDc dc(10, 20);
    const std::unique_ptr<plat::gdi::Font> own = dc.CreateFont({});
    dc.SelectFont(own.get());
    {
        TFontPool pool(&dc);
        pool.SelectFont(Description(u"A", 15));
        EXPECT_NE(dc.SelectFont(nullptr), own.get());
    }
    EXPECT_EQ(dc.SelectFont(nullptr), own.get());
    EXPECT_EQ(dc.FontsAlive(), 1);
}

TEST(TFontPoolTest, DescriptionBecomesAFontAtNinetySixPixelsPerInch) {
    struct Case {
        std::int32_t size;
        std::int32_t weight;
        std::int32_t height;
        std::int32_t fontWeight;
    };
    const Case cases[] = {{15, 0, -20, 0}, {12, 1, -16, 700}, {28, -5, -37, 700}, {10, 300, -13, 300}};
    for (const Case& test : cases) {
        TFontDescription description =
            Description(u"A face name longer than thirty-one characters", test.size);
        description.weight = test.weight;
        description.italic = 2;
        const plat::gdi::LogFont font = TFontPool::LogFontFor(description);
        EXPECT_EQ(font.height, test.height) << test.size;
        EXPECT_EQ(font.weight, test.fontWeight);
        EXPECT_TRUE(font.italic);
        EXPECT_FALSE(font.underline);
        EXPECT_EQ(font.charSet, 1) << "the default set";
    }
}

TEST(TFontPoolTest, FontThatCannotBeMadeLeavesTheCurrentOneSelected) {
    // A measurer without fonts at all: nothing is cached and nothing selected.
    class NoFonts : public FixedAdvanceDc {
    public:
        NoFonts() : FixedAdvanceDc(10, 20) {}
        std::unique_ptr<plat::gdi::Font> CreateFont(const plat::gdi::LogFont&) override { return nullptr; }
    } dc;
    TFontPool pool(&dc);
    pool.SelectFont(Description(u"A", 15));
    EXPECT_EQ(pool.Count(), 0u);
    EXPECT_EQ(dc.GetTextExtent(u"abc"), (plat::gdi::Size{0, 0}));
}

} // namespace
