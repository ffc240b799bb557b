// The core's property frames with a QApplication: order 206 shows the frame of the graph's filter of
// that number, captioned with its name, exactly for the filters the filter list marks as having
// properties, and a confirmed change reaches the running filter; the filter-properties service shows
// a fresh filter of a catalogue class. Every order answers 0.
#include "core/include/VokradOrders.h"
#include "core/src/filters/TFilterServices.h"
#include "core/tests/engine/EnginePlayer.h"
#include "core/tests/filters/FilterTestFolder.h"
#include "platform/forms/tests/ScriptedDialogRunner.h"
#include "platform/media/FilterCatalogue.h"
#include "platform/win/tests/TestWindow.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using plat::forms::PropertyFrame;
using plat::forms::test::ScriptedDialogRunner;
using plat::media::FilterCatalogue;

std::u16string ClassOf(const char* factory) {
    return EnginePlayer::Wide(FilterCatalogue::ClassIdForFactory(factory).ToString());
}

// A tone through a gain filter to an audio renderer.
std::u16string ToneGraph() {
    return u"<GRAPH version=\"1.0\">\r\n<FILTER ID=\"Tone\" clsid=\"" + ClassOf("audiotestsrc") +
           u"\"/>\r\n<FILTER ID=\"Gain\" clsid=\"" + ClassOf("volume") +
           u"\"/>\r\n<CONNECT src=\"Tone\" srcpin=\"src\" dest=\"Gain\" destpin=\"sink\" Direct=\"yes\"/>\r\n"
           u"<RENDER id=\"Gain\" pin=\"src\"/>\r\n</GRAPH>";
}

struct ListedFilter {
    std::u16string name;
    bool hasProperties;
};

// The filters of a FILTERSLIST text in order, with their names and property marks.
std::vector<ListedFilter> ListedFilters(const std::u16string& list) {
    std::vector<ListedFilter> filters;
    for (std::size_t at = list.find(u"<FILTER>"); at != std::u16string::npos;
         at = list.find(u"<FILTER>", at + 1)) {
        const std::size_t end = list.find(u"</FILTER>", at);
        const std::u16string filter = list.substr(at, end - at);
        const std::size_t name = filter.find(u"<Name>") + 6;
        filters.push_back({filter.substr(name, filter.find(u"</Name>") - name),
                           filter.find(u"<HasProperties>") != std::u16string::npos});
    }
    return filters;
}

int ShowProperties(EnginePlayer& player, plat::win::HWND owner, std::uint32_t number) {
    TOrderFilterProperties order{{0, sizeof(TOrderFilterProperties)}, owner, number};
    return player.Send(kOrderFilterProperties, &order);
}

TEST(TFilterPropertyPagesTest, Order206ShowsTheNumberedFilterOfTheFilterList) {
    EnginePlayer player;
    player.Describe(ToneGraph());
    ASSERT_EQ(player.Send(kOrderPlay), 0) << testing::PrintToString(player.Texts());
    const std::vector<ListedFilter> listed = ListedFilters(player.FilterList());
    ASSERT_GE(listed.size(), 3u);
    plat::win::testing::TestWindow owner;
    ScriptedDialogRunner runner(&ScriptedDialogRunner::Cancel);

    for (std::uint32_t number = 0; number <= listed.size() + 1; ++number) {
        EXPECT_EQ(ShowProperties(player, owner.hwnd(), number), 0);
    }

    std::vector<std::u16string> shown;
    for (const auto& frame : runner.ShownFrames()) {
        shown.push_back(frame.title.toStdU16String());
        EXPECT_TRUE(frame.modal);
    }
    std::vector<std::u16string> marked;
    for (const ListedFilter& filter : listed) {
        if (filter.hasProperties) {
            marked.push_back(filter.name);
        }
    }
    EXPECT_EQ(shown, marked) << "a frame for each filter marked, in list order, and for nothing else";
    EXPECT_EQ(listed[1].name, u"Volume") << "the gain filter, by its name in the graph";
    EXPECT_TRUE(listed[1].hasProperties);
}

TEST(TFilterPropertyPagesTest, AConfirmedChangeReachesTheRunningFilter) {
    EnginePlayer player;
    player.Describe(ToneGraph());
    ASSERT_EQ(player.Send(kOrderPlay), 0);
    ScriptedDialogRunner change([](PropertyFrame& frame) {
        dynamic_cast<QDoubleSpinBox*>(frame.findChild<QWidget*>(QStringLiteral("volume")))->setValue(0.25);
        return QDialog::Accepted;
    });
    ASSERT_EQ(ShowProperties(player, 0, 2), 0);

    double seen = 0;
    ScriptedDialogRunner look([&seen](PropertyFrame& frame) {
        seen = dynamic_cast<QDoubleSpinBox*>(frame.findChild<QWidget*>(QStringLiteral("volume")))->value();
        return QDialog::Rejected;
    });
    ASSERT_EQ(ShowProperties(player, 0, 2), 0);
    EXPECT_EQ(seen, 0.25);
}

TEST(TFilterPropertyPagesTest, WithoutAGraphNothingIsShown) {
    EnginePlayer player;
    ScriptedDialogRunner runner(&ScriptedDialogRunner::Accept);
    EXPECT_EQ(ShowProperties(player, 0, 1), 0);
    EXPECT_FALSE(player.Player().ShowFilterProperties(0, 1));
    EXPECT_TRUE(runner.ShownFrames().empty());
}

TEST(TFilterPropertyPagesTest, TheServiceShowsAFreshFilterOfTheNamedClass) {
    FilterTestFolder folder;
    TFilterServices services(folder.Path());
    const auto displayName = [&](const char* factory) {
        return EnginePlayer::Wide(
            FilterCatalogue::DisplayName(*services.Catalogue().FindByFactoryName(factory)));
    };
    int pattern = -1;
    ScriptedDialogRunner runner([&pattern](PropertyFrame& frame) {
        auto* choice = dynamic_cast<QComboBox*>(frame.findChild<QWidget*>(QStringLiteral("pattern")));
        pattern = choice->currentData().toInt();
        choice->setCurrentIndex(3);
        return QDialog::Accepted;
    });
    plat::win::testing::TestWindow owner;

    EXPECT_TRUE(services.ShowFilterProp(owner.hwnd(), displayName("videotestsrc").c_str()));
    EXPECT_TRUE(services.ShowFilterProp(owner.hwnd(), displayName("videotestsrc").c_str()));
    EXPECT_EQ(pattern, 0) << "each frame shows a fresh filter; the change went with the first";

    const std::u16string source = displayName("filesrc");
    for (const std::u16string& refused :
         {std::u16string(), std::u16string(u"garbage"), displayName("oggdemux"),
          source.substr(0, source.size() - 1),
          u"@device:sw:{083863F1-70DE-11D0-BD40-00A0C911CE86}" + source.substr(source.find(u'\\'))}) {
        EXPECT_FALSE(services.ShowFilterProp(owner.hwnd(), refused.c_str())) << refused.size() << " units";
    }
    EXPECT_FALSE(services.ShowFilterProp(owner.hwnd(), nullptr));
    ASSERT_EQ(runner.ShownFrames().size(), 2u);
    EXPECT_EQ(runner.ShownFrames()[0].title, QString());
}

} // namespace
