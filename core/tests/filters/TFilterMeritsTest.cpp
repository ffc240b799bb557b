#include "core/src/filters/TFilterMerits.h"

#include "FilterTestFolder.h"
#include "core/src/filters/TFilterServices.h"
#include "platform/media/FilterCategories.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <gst/gst.h>

namespace {

using plat::media::FilterCatalogue;

constexpr const char* kFactory = "identity";

// Built without a catalogue: a catalogue without a store would put every rank back as installed.
std::u16string DisplayNameOf(const char* factory) {
    plat::media::FilterInfo info;
    info.classId = FilterCatalogue::ClassIdForFactory(factory);
    return plat::text::AnsiToWide(FilterCatalogue::DisplayName(info));
}

std::u16string ClassIdOf(const char* factory) {
    return plat::text::AnsiToWide(FilterCatalogue::ClassIdForFactory(factory).ToString());
}

// The display name the catalogue lists the factory under.
std::u16string DisplayNameOfListed(const TFilterServices& services, const char* factory) {
    return plat::text::AnsiToWide(
        FilterCatalogue::DisplayName(*services.Catalogue().FindByFactoryName(factory)));
}

const std::u16string kFiltersCategory = u"{083863F1-70DE-11D0-BD40-00A0C911CE86}";

class TFilterMeritsTest : public ::testing::Test {
protected:
    // Ranks go back to the registry's as installed.
    void TearDown() override { FilterCatalogue restore; }

    std::uint32_t MeritInFreshServices() {
        TFilterServices services(folder_.Path());
        std::uint32_t merit = 0;
        EXPECT_TRUE(services.Merits().ReadMeritByName(DisplayNameOf(kFactory), merit));
        return merit;
    }

    bool LogExists() const { return std::filesystem::exists(folder_.File("TOVUNDO.LOG")); }

    FilterTestFolder folder_;
};

TEST_F(TFilterMeritsTest, WrittenMeritsPersistAcrossAReloadAndMoveTheRank) {
    for (const std::uint32_t merit : {6291456u, 4294967295u, 0u, 0x200001u}) {
        {
            TFilterServices services(folder_.Path());
            ASSERT_TRUE(services.Merits().WriteMeritByName(DisplayNameOf(kFactory), merit));
            services.Merits().RefreshFilterCache();
            EXPECT_EQ(services.Catalogue().FindByFactoryName(kFactory)->merit, merit);
        }
        EXPECT_EQ(MeritInFreshServices(), merit);
        GstPluginFeature* feature = gst_registry_lookup_feature(gst_registry_get(), kFactory);
        EXPECT_EQ(gst_plugin_feature_get_rank(feature), plat::media::MeritStore::RankForMerit(merit));
        gst_object_unref(feature);
    }
}

TEST_F(TFilterMeritsTest, ByClsidNeedsTheFiltersOwnCategory) {
    TFilterServices services(folder_.Path());
    TFilterMerits& merits = services.Merits();
    std::uint32_t merit = 0;
    ASSERT_TRUE(merits.WriteMeritByClsid(kFiltersCategory, ClassIdOf(kFactory), 1234));
    EXPECT_TRUE(merits.ReadMeritByClsid(kFiltersCategory, ClassIdOf(kFactory), merit));
    EXPECT_EQ(merit, 1234u);
    const std::u16string audioRenderers = u"{E0F158E1-CB04-11D0-BD4E-00A0C911CE86}";
    EXPECT_FALSE(merits.ReadMeritByClsid(audioRenderers, ClassIdOf(kFactory), merit));
    EXPECT_FALSE(merits.WriteMeritByClsid(u"nonsense", ClassIdOf(kFactory), 1));
}

// Graph descriptions forbid by class in the general category unless they name another.
TEST_F(TFilterMeritsTest, ByClsidTheGeneralCategoryReachesFiltersOfEveryCategory) {
    TFilterServices services(folder_.Path());
    TFilterMerits& merits = services.Merits();
    const auto categoryOf = [](plat::media::FilterCategory category) {
        return plat::text::AnsiToWide(plat::media::FilterCategories::Id(category).ToString());
    };
    std::uint32_t merit = 0;
    EXPECT_TRUE(merits.ReadMeritByClsid(kFiltersCategory, ClassIdOf("vorbisdec"), merit));
    EXPECT_TRUE(merits.ReadMeritByClsid(categoryOf(plat::media::FilterCategory::AudioDecoder),
                                        ClassIdOf("vorbisdec"), merit));
    EXPECT_FALSE(merits.ReadMeritByClsid(categoryOf(plat::media::FilterCategory::VideoDecoder),
                                         ClassIdOf("vorbisdec"), merit));
    ASSERT_TRUE(merits.ForbidFilterByClsid(kFiltersCategory, ClassIdOf("fakeaudiosink")));
    EXPECT_TRUE(merits.ReadMeritByName(DisplayNameOfListed(services, "fakeaudiosink"), merit));
    EXPECT_EQ(merit, 0u);
    EXPECT_TRUE(merits.ReplayMeritUndo());
}

TEST_F(TFilterMeritsTest, HostileAddressesFailWithoutAnEntry) {
    TFilterServices services(folder_.Path());
    TFilterMerits& merits = services.Merits();
    for (const std::u16string& name : {std::u16string(), std::u16string(u"\xD800\xFFFF"),
                                       std::u16string(u"@device:sw:{0}\\{1}"), std::u16string(5000, u'{')}) {
        std::uint32_t merit = 0;
        EXPECT_FALSE(merits.ReadMeritByName(name, merit));
        EXPECT_FALSE(merits.WriteMeritByName(name, 1));
        EXPECT_FALSE(merits.ForbidFilterByName(name));
        EXPECT_FALSE(merits.ForbidFilterByClsid(name, name));
    }
    EXPECT_FALSE(LogExists());
}

TEST_F(TFilterMeritsTest, ForbidLowersAndTheReplayRestoresTheFirstMerit) {
    TFilterServices services(folder_.Path());
    TFilterMerits& merits = services.Merits();
    ASSERT_TRUE(merits.WriteMeritByName(DisplayNameOf(kFactory), 4294967295u));
    ASSERT_TRUE(merits.ForbidFilterByName(DisplayNameOf(kFactory)));
    ASSERT_TRUE(merits.ForbidFilterByClsid(kFiltersCategory, ClassIdOf(kFactory)));
    std::uint32_t merit = 1;
    EXPECT_TRUE(merits.ReadMeritByName(DisplayNameOf(kFactory), merit));
    EXPECT_EQ(merit, 0u);
    EXPECT_TRUE(merits.ReplayMeritUndo());
    EXPECT_TRUE(merits.ReadMeritByName(DisplayNameOf(kFactory), merit));
    EXPECT_EQ(merit, 4294967295u);
    EXPECT_FALSE(LogExists());
    EXPECT_FALSE(merits.ReplayMeritUndo());
}

TEST_F(TFilterMeritsTest, ALogLeftByACrashIsUndoneByTheNextProcess) {
    {
        TFilterServices crashed(folder_.Path());
        ASSERT_TRUE(crashed.Merits().WriteMeritByName(DisplayNameOf(kFactory), 6291456));
        ASSERT_TRUE(crashed.Merits().ForbidFilterByName(DisplayNameOf(kFactory)));
    }
    EXPECT_EQ(MeritInFreshServices(), 0u);
    TFilterServices next(folder_.Path());
    EXPECT_TRUE(next.Merits().ReplayMeritUndo());
    EXPECT_EQ(MeritInFreshServices(), 6291456u);
    EXPECT_FALSE(LogExists());
}

TEST_F(TFilterMeritsTest, AnUnreadableLogStaysAndNothingIsLoweredWithoutAnEntry) {
    std::filesystem::create_directory(folder_.File("TOVUNDO.LOG"));
    TFilterServices services(folder_.Path());
    const std::uint32_t before = MeritInFreshServices();
    EXPECT_FALSE(services.Merits().ForbidFilterByName(DisplayNameOf(kFactory)));
    EXPECT_FALSE(services.Merits().ReplayMeritUndo());
    EXPECT_TRUE(LogExists());
    EXPECT_EQ(MeritInFreshServices(), before);
}

} // namespace
