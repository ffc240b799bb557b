#include "MediaTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace plat::media::test {
namespace {

TEST(FilterCatalogueTest, ClassIdsAreStableNameBasedIds) {
    EXPECT_EQ(FilterCatalogue::ClassIdForFactory("filesrc").ToString(),
              "{8008D6E3-60D7-5B31-B12B-B73D246673EB}");
    const FilterInfo* info = Catalogue().FindByFactoryName("filesrc");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->classId, FilterCatalogue::ClassIdForFactory("filesrc"));
    EXPECT_EQ(Catalogue().FindByClassId(info->classId), info);
}

TEST(FilterCatalogueTest, DescribesFactories) {
    struct Case {
        const char* factory;
        FilterCategory category;
        const char* pin;
        PinDirection direction;
        PinPresence presence;
    };
    const Case cases[] = {
        {"filesrc", FilterCategory::Source, "src", PinDirection::Output, PinPresence::Always},
        {"oggdemux", FilterCategory::Splitter, "sink", PinDirection::Input, PinPresence::Always},
        {"theoradec", FilterCategory::VideoDecoder, "sink", PinDirection::Input, PinPresence::Always},
        {"vorbisdec", FilterCategory::AudioDecoder, "sink", PinDirection::Input, PinPresence::Always},
        {"fakeaudiosink", FilterCategory::AudioRenderer, "sink", PinDirection::Input, PinPresence::Always},
        {"tee", FilterCategory::Other, "src_%u", PinDirection::Output, PinPresence::Request},
        {"oggdemux", FilterCategory::Splitter, "src_%08x", PinDirection::Output, PinPresence::Sometimes},
    };
    for (const Case& c : cases) {
        const FilterInfo* info = Catalogue().FindByFactoryName(c.factory);
        ASSERT_NE(info, nullptr) << c.factory;
        EXPECT_EQ(info->category, c.category) << c.factory;
        EXPECT_FALSE(info->friendlyName.empty());
        const auto pin = std::find_if(info->pinTemplates.begin(), info->pinTemplates.end(),
                                      [&](const PinTemplateInfo& t) { return t.name == c.pin; });
        ASSERT_NE(pin, info->pinTemplates.end()) << c.factory;
        EXPECT_EQ(pin->direction, c.direction) << c.factory;
        EXPECT_EQ(pin->presence, c.presence) << c.factory;
        EXPECT_FALSE(pin->caps.empty()) << c.factory;
    }
    const FilterInfo* demux = Catalogue().FindByFactoryName("oggdemux");
    EXPECT_EQ(demux->merit, MERIT_PREFERRED); // rank PRIMARY
}

TEST(FilterCatalogueTest, FindsEveryFilterByItsDisplayName) {
    for (const FilterInfo& info : Catalogue().Filters()) {
        ASSERT_EQ(Catalogue().FindByDisplayName(FilterCatalogue::DisplayName(info)), &info)
            << info.factoryName;
    }
    const FilterInfo* sink = Catalogue().FindByFactoryName("fakeaudiosink");
    const std::string name = FilterCatalogue::DisplayName(*sink);
    EXPECT_EQ(name, "@device:sw:{E0F158E1-CB04-11D0-BD4E-00A0C911CE86}\\" + sink->classId.ToString());
    const std::string wrongCategory =
        "@device:sw:{083863F1-70DE-11D0-BD40-00A0C911CE86}\\" + sink->classId.ToString();
    EXPECT_EQ(Catalogue().FindByDisplayName(wrongCategory), nullptr);
    EXPECT_EQ(Catalogue().FindByDisplayName(name.substr(1)), nullptr);
    EXPECT_EQ(Catalogue().FindByDisplayName("@device:sw:" + sink->classId.ToString()), nullptr);
}

TEST(FilterCatalogueTest, ResolvesWindowsAliases) {
    struct Case {
        const char* windowsId;
        FilterRole role;
        const char* factory;
    };
    const Case cases[] = {
        {"{E436EBB5-524F-11CE-9F53-0020AF0BA770}", FilterRole::Factory, "filesrc"},
        {"{9B8C4620-2C1A-11D0-8493-00A02438AD48}", FilterRole::NotAvailable, nullptr},
        {"{70E102B0-5556-11CE-97C0-00AA0055595A}", FilterRole::VideoRenderer, nullptr},
        {"{CD8743A1-3736-11D0-9E69-00C04FD7C15B}", FilterRole::Factory, "identity"},
        {"{51B4ABF3-748F-4E3B-A276-C828330E926A}", FilterRole::VideoRenderer, nullptr},
        {"{B87BEB7B-8D29-423F-AE4D-6582C10175AC}", FilterRole::VideoRenderer, nullptr},
        {"{C1F400A0-3F08-11D3-9F0B-006008039E37}", FilterRole::SampleGrabber, nullptr},
        {"{79376820-07D0-11CF-A24D-444553540000}", FilterRole::AudioRenderer, nullptr},
        {"{C1F400A4-3F08-11D3-9F0B-006008039E37}", FilterRole::Factory, "fakesink"},
        {"{9736D831-9D6C-4E72-B6E7-560EF9181001}", FilterRole::Factory, "avidemux"},
    };
    for (const Case& c : cases) {
        const FilterResolution resolution = Catalogue().Resolve(WindowsId(c.windowsId));
        EXPECT_EQ(resolution.role, c.role) << c.windowsId;
        ASSERT_NE(resolution.alias, nullptr) << c.windowsId;
        EXPECT_EQ(resolution.info != nullptr ? resolution.info->factoryName : "", c.factory ? c.factory : "");
    }
    const FilterResolution unknown = Catalogue().Resolve(WindowsId("{12345678-1234-1234-1234-123456789ABC}"));
    EXPECT_EQ(unknown.role, FilterRole::NotAvailable);
    EXPECT_EQ(unknown.alias, nullptr);
    const FilterResolution own = Catalogue().Resolve(FactoryId("theoradec"));
    EXPECT_EQ(own.role, FilterRole::Factory);
    EXPECT_EQ(own.info->factoryName, "theoradec");
}

// Restores the installed ranks whatever a test stored.
class StoredMeritTest : public testing::Test {
protected:
    void TearDown() override {
        MeritStore empty(folder_);
        FilterCatalogue restore(&empty);
        std::filesystem::remove_all(folder_);
    }
    std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() / ("merits-" + std::to_string(::getpid()));
};

TEST_F(StoredMeritTest, StoredMeritsBecomeRanksAndAreRestored) {
    MeritStore store(folder_);
    store.Set(FactoryId("mpeg2dec"), 0xFFFFFFFFu);
    store.Set(FactoryId("avdec_mpeg2video"), MERIT_DO_NOT_USE);
    FilterCatalogue catalogue(&store);
    EXPECT_EQ(catalogue.FindByFactoryName("mpeg2dec")->merit, 0xFFFFFFFFu);
    EXPECT_EQ(catalogue.FindByFactoryName("avdec_mpeg2video")->merit, MERIT_DO_NOT_USE);
    FactoryRef forbidden = FactoryRef::Adopt(gst_element_factory_find("avdec_mpeg2video"));
    FactoryRef raised = FactoryRef::Adopt(gst_element_factory_find("mpeg2dec"));
    EXPECT_EQ(gst_plugin_feature_get_rank(GST_PLUGIN_FEATURE(forbidden.get())), GST_RANK_NONE);
    EXPECT_EQ(gst_plugin_feature_get_rank(GST_PLUGIN_FEATURE(raised.get())), 65664u);

    store.Erase(FactoryId("mpeg2dec"));
    catalogue.Refresh();
    EXPECT_EQ(gst_plugin_feature_get_rank(GST_PLUGIN_FEATURE(raised.get())), GST_RANK_SECONDARY);
    EXPECT_EQ(catalogue.FindByFactoryName("mpeg2dec")->merit, MERIT_NORMAL);
}

} // namespace
} // namespace plat::media::test
