// The settings dialog's lists: decoders and renderers from the core's list of common filters, the
// filter files and graph files of the program's folders, and the default graph grids.
#include "foundation/tests/TempDir.h"
#include "player/model/binding/TMainControl.h"
#include "player/model/settings/TConfigControl.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/settings/FakeConfigForm.h"
#include "player/model/tests/settings/SettingsRecordsTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::u16string>;

class FilterListsTest : public SettingsRecordsTest {
protected:
    FilterListsTest() {
        config_.SetRootFolder(dir_.Path("Program") + "/");
        for (const std::string& folder : {config_.MediaFiltersFolder(), config_.DVDFiltersFolder(),
                                          config_.MediaGraphFolder(), config_.DVDGraphFolder()}) {
            fs::create_directories(folder);
        }
    }

    static void Touch(const std::string& folder, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            std::ofstream(folder + name) << "x";
        }
    }

    TempDir dir_;
    TConfigControl config_;
};

TEST_F(FilterListsTest, TheCoreListFillsNamesAndClassIdsSideBySide) {
    EXPECT_TRUE(config_.FillFromFilterEnum(
        u"<filterenum><AudioRenderer>"
        u"<FILTER><Name>One</Name><CLSID>{1}</CLSID></FILTER>"
        u"<FILTER><Name>Twin of one</Name><CLSID>{1}</CLSID></FILTER>"
        u"<FILTER><CLSID>{2}</CLSID></FILTER>"
        u"<FILTER><NAME>Three &amp; more</NAME><CLSID>{3}</CLSID></FILTER>"
        u"</AudioRenderer><Unknown><FILTER><Name>U</Name><CLSID>{U}</CLSID></FILTER></Unknown>"
        u"<DVDAudioFilters><FILTER><Name>A</Name><CLSID>{1}</CLSID></FILTER></DVDAudioFilters>"
        u"</filterenum>"));
    const TFilterLists& lists = config_.Lists();
    EXPECT_EQ(lists.RendererNames, (Texts{u"One", u"", u"Three & more"}));
    EXPECT_EQ(lists.RendererClsids, (Texts{u"{1}", u"{2}", u"{3}"}));
    EXPECT_EQ(lists.AudioDecoderNames, (Texts{u"A"}));
    EXPECT_EQ(lists.AudioDecoderClsids, (Texts{u"{1}"}));
    EXPECT_TRUE(lists.VideoDecoderNames.empty());

    for (const char16_t* bad : {u"<FILTERS><AudioRenderer/></FILTERS>", u"", u"<<<"}) {
        EXPECT_FALSE(config_.FillFromFilterEnum(bad));
        EXPECT_TRUE(config_.Lists().RendererNames.empty());
    }
    EXPECT_FALSE(config_.FillFromFilterEnum(nullptr));
}

TEST_F(FilterListsTest, FoldersAreScannedWithoutRegardToCase) {
    Touch(config_.MediaFiltersFolder(),
          {"b.DSHOWFILTER", "a.dshowpatch", "c.FilterData", "d.txt", "e.dshowfilter.bak"});
    fs::create_directory(config_.MediaFiltersFolder() + "folder.dshowfilter");
    Touch(config_.DVDFiltersFolder(), {"x.dshowfilter"});
    TNamedList list{{u"stale", 9}};
    TConfigControl::ScanFilterFiles(config_.MediaFiltersFolder(), list, false);
    EXPECT_EQ(list, (TNamedList{{u"b", 1}, {u"c", 3}}));
    TConfigControl::ScanFilterFiles(dir_.Path("missing/"), list, true);
    EXPECT_TRUE(list.empty());

    auto form = FakeConfigForm::WithEveryControl();
    config_.FillFiltersLists(form.get());
    const TNamedList media{{u"a", 2}, {u"b", 1}, {u"c", 3}};
    EXPECT_EQ(config_.Lists().MediaFilterFiles, media);
    EXPECT_EQ(form->Grid("Ch_Media_FiltersList").rows, media);
    EXPECT_EQ(form->Grid("Ch_Trans_FiltersList").rows, media);
    EXPECT_EQ(form->Grid("Ch_DVD_FiltersList").rows, (TNamedList{{u"x", 1}}));

    Touch(config_.MediaGraphFolder(), {"one.XGR", "two.exgr", "three.grf", "four.dvdgraph", "five.MediaGraph",
                                       "six.defexgr", "seven.xml"});
    FakeChoice choice;
    choice.items = {{u"stale", 0}};
    TConfigControl::ListGraphFiles(form.get(), config_.MediaGraphFolder(), &choice);
    EXPECT_EQ(choice.items,
              (TNamedList{{u"five", 5}, {u"four", 4}, {u"one", 1}, {u"three", 3}, {u"two", 2}}));
}

TEST_F(FilterListsTest, DefaultGraphGridsListTheFourCCAndExtensionGraphs) {
    Touch(config_.MediaGraphFolder(),
          {"media.tovrin.defexgr", "Media.Tovrin.FourCC-44495658.defexgr", "media.tovrin.ext-avi.DEFEXGR",
           "media.tovrin.fourcc-123.defexgr", "media.tovrin.ext-.defexgr", "media.tovrin.other.defexgr",
           "media.pellit.ext-mkv.defexgr", "transcriber.tovrin.ext-ogg.defexgr", "media.tovrin.ext-mp4.xgr"});
    auto form = FakeConfigForm::WithEveryControl();
    FakeGrid& media = form->Grid("Ch_Media_ExtGraph");
    media.rows = {{u"X", 0}, {u"EXT:avi", 0}};
    media.current = 1;
    config_.FillDefaultGraphList(form.get(), "tovrin");
    EXPECT_EQ(media.rows, (TNamedList{{u"DEFAULT", 0}, {u"EXT:avi", 0}, {u"FOURCC:44495658", 0}}));
    EXPECT_EQ(media.current, 1); // the row that was current stays current
    FakeGrid& transcriber = form->Grid("Ch_Trans_ExtGraph");
    EXPECT_EQ(transcriber.rows, (TNamedList{{u"DEFAULT", 0}, {u"EXT:ogg", 0}}));
    EXPECT_EQ(transcriber.current, 0);
}

TEST_F(FilterListsTest, TheRealCoreFillsTheDialog) {
    TProgramFolderScope folder(DistFolder());
    TPlayerGlobalsScope globals;
    TMainControl control;
    ASSERT_EQ(control.Start(), 0);
    if (!SendToCore()->IsLoaded()) {
        GTEST_SKIP() << "the core library is not in the program folder";
    }
    auto form = FakeConfigForm::WithEveryControl();
    Touch(config_.DVDGraphFolder(), {"mine.xgr"});
    config_.FillConfigForm(&control, form.get());
    const TFilterLists& lists = config_.Lists();
    EXPECT_FALSE(lists.RendererNames.empty());
    EXPECT_EQ(lists.RendererNames.size(), lists.RendererClsids.size());
    EXPECT_EQ(lists.VideoDecoderNames.size(), lists.VideoDecoderClsids.size());
    EXPECT_EQ(lists.AudioDecoderNames.size(), lists.AudioDecoderClsids.size());
    for (const std::u16string& clsid : lists.RendererClsids) {
        EXPECT_EQ(clsid.size(), 38u) << "a class id in braces";
    }
    EXPECT_EQ(form->Choice("Cb_DVDCustomGraph").items, (TNamedList{{u"mine", 1}}));
    EXPECT_TRUE(globals.box.shown.empty());
    EXPECT_EQ(control.Stop(), 0);
}

// The program's own start fills no form: the core is asked for its filters when the lists are first
// needed, and only then.
TEST_F(FilterListsTest, WithoutAFormTheCoreIsAskedWhenTheListsAreFirstNeeded) {
    TProgramFolderScope folder(DistFolder());
    TPlayerGlobalsScope globals;
    TMainControl control;
    ASSERT_EQ(control.Start(), 0);
    if (!SendToCore()->IsLoaded()) {
        GTEST_SKIP() << "the core library is not in the program folder";
    }
    config_.FillConfigForm(&control, nullptr);
    control.Stop();
    EXPECT_TRUE(config_.Lists().RendererNames.empty()) << "not asked before the lists were needed";

    ASSERT_EQ(control.Start(), 0);
    config_.FillConfigForm(&control, nullptr);
    const std::size_t renderers = config_.Lists().RendererNames.size();
    EXPECT_GT(renderers, 0u);
    control.Stop();
    EXPECT_EQ(config_.Lists().RendererNames.size(), renderers) << "asked once, then kept";
}

} // namespace
