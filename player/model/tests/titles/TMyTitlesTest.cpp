// The titles list: reading the user's list, completing it with the disc's titles and chapters,
// following the core and playing chapters through orders 110, 106, 113 and 114.
#include "player/model/titles/TMyTitles.h"

#include "core/include/VokradOrders.h"
#include "foundation/tests/TempDir.h"
#include "platform/storage/CompoundFile.h"
#include "player/model/events/PlayerEvents.h"
#include "player/model/tests/controllers/ControllerTestSupport.h"

#include <string>
#include <vector>

namespace {

struct TEntryView {
    std::u16string name;
    bool real;
    int32_t number;
    bool visible;
    bool operator==(const TEntryView&) const = default;
};

class TMyTitlesTest : public TControllerTest {
protected:
    std::vector<TEntryView> Titles() {
        std::vector<TEntryView> view;
        for (int32_t i = 0; i < titles_.Count(); ++i) {
            const TTitlesEntry& t = titles_.GetTitle(i);
            view.push_back({t.Name, t.IsRealTitle, t.TitleNo, t.Visible});
        }
        return view;
    }
    std::vector<TEntryView> Chapters(int32_t title) {
        std::vector<TEntryView> view;
        TMyChapters& chapters = titles_.GetTitle(title).Chapters;
        for (int32_t i = 0; i < chapters.Count(); ++i) {
            const TChaptersEntry& c = chapters.GetChapter(i);
            view.push_back({c.Name, c.IsRealChapter, c.ChapterNo, c.Visible});
        }
        return view;
    }

    TMyTitles titles_{hub_};
};

const std::u16string kUserList =
    u"<TITLESLIST>\r\n"
    u"    <TITLE Name=\"The film\" Visible=\"1\" IsRealTitle=\"1\" No=\"2\" >\r\n"
    u"        <CHAPTER Name=\"Start\" Visible=\"1\" IsRealChapter=\"1\" Title=\"2\" "
    u"Chapter=\"1\" Time=\"-1\"/>\r\n"
    u"        <CHAPTER Name=\"The chase\" Visible=\"1\" IsRealChapter=\"0\" Title=\"2\" "
    u"Chapter=\"1\" Time=\"90000\"/>\r\n"
    u"        <CHAPTER Name=\"Ending\" Visible=\"1\" IsRealChapter=\"1\" Title=\"2\" "
    u"Chapter=\"2\" Time=\"-1\"/>\r\n"
    u"    </TITLE>\r\n"
    u"</TITLESLIST>\r\n";

TEST_F(TMyTitlesTest, WithoutAListTheDiscsTitlesAreMade) {
    titles_.SetTitleCount(3);
    EXPECT_EQ(Titles(),
              (std::vector<TEntryView>{
                  {u"Title 1", true, 1, true}, {u"Title 2", true, 2, true}, {u"Title 3", true, 3, true}}));
    EXPECT_EQ(titles_.RealTitleCount(), 3);
}

TEST_F(TMyTitlesTest, AUserTitleComesFirstAndTheMissingTitlesFollow) {
    titles_.ParseXml(kUserList);
    titles_.SetTitleCount(3);
    EXPECT_EQ(Titles(),
              (std::vector<TEntryView>{
                  {u"The film", true, 2, true}, {u"Title 1", true, 1, true}, {u"Title 3", true, 3, true}}));
    // The disc's chapter counts reach the titles by number, whatever their place in the list.
    titles_.SetChapterCount(1, 2);
    titles_.SetChapterCount(2, 3);
    EXPECT_EQ(Chapters(1),
              (std::vector<TEntryView>{{u"Chapter 1", true, 1, true}, {u"Chapter 2", true, 2, true}}));
    EXPECT_EQ(Chapters(0), (std::vector<TEntryView>{{u"Start", true, 1, true},
                                                    {u"The chase", false, 1, true},
                                                    {u"Ending", true, 2, true},
                                                    {u"Chapter 3", true, 3, true}}));
    EXPECT_EQ(titles_.GetTitle(0).Chapters.GetChapter(3).TitleNo, 2);
    EXPECT_EQ(titles_.GetTitle(0).Chapters.GetChapter(3).Time, -1);
}

TEST_F(TMyTitlesTest, TheReaderTakesWhatTheListGivesAndDefaultsTheRest) {
    const std::u16string longName(300, u'n');
    titles_.ParseXml(
        u"<titlesList>"
        u"<title Name=\"" +
        longName +
        u"\" visible=\"10\" isrealtitle=\"01\">"
        u"<chapter/>"
        u"<CHAPTER Name=\"A &amp; B\" Visible=\"1\" Title=\"1234567\" Chapter=\"-3\" Time=\"12345678901\"/>"
        u"<OTHER Name=\"skipped\"/>"
        u"</title>"
        u"<NOTE/>"
        u"<TITLE No=\"7\"/>"
        u"</titlesList>");
    ASSERT_EQ(titles_.Count(), 2);
    const TTitlesEntry& first = titles_.GetTitle(0);
    EXPECT_EQ(first.Name, longName.substr(0, 255));
    EXPECT_TRUE(first.Visible);
    EXPECT_FALSE(first.IsRealTitle);
    EXPECT_EQ(first.TitleNo, 0);
    EXPECT_EQ(first.Index, 1);
    EXPECT_EQ(titles_.GetTitle(1).TitleNo, 7);
    EXPECT_EQ(titles_.GetTitle(1).Index, 2);

    TMyChapters& chapters = titles_.GetTitle(0).Chapters;
    ASSERT_EQ(chapters.Count(), 2);
    const TChaptersEntry& bare = chapters.GetChapter(0);
    EXPECT_EQ(bare.Name, u"");
    EXPECT_FALSE(bare.Visible);
    EXPECT_FALSE(bare.IsRealChapter);
    EXPECT_EQ(bare.TitleNo, -1);
    EXPECT_EQ(bare.ChapterNo, -1);
    EXPECT_EQ(bare.Time, 1);
    const TChaptersEntry& full = chapters.GetChapter(1);
    EXPECT_EQ(full.Name, u"A & B");
    EXPECT_EQ(full.TitleNo, 12345); // five digits are read
    EXPECT_EQ(full.ChapterNo, -3);
    EXPECT_EQ(full.Time, 1234567890); // ten digits are read
}

TEST_F(TMyTitlesTest, AnotherRootOrNoTextGivesAnEmptyList) {
    for (const std::u16string text : {u"<TITLES><TITLE No=\"1\"/></TITLES>", u"", u"no markup at all"}) {
        titles_.ParseXml(kUserList);
        EXPECT_EQ(titles_.ParseXml(text), 0);
        EXPECT_EQ(titles_.Count(), 0);
    }
}

TEST_F(TMyTitlesTest, AUserChapterPlaysAtItsTimeAsAPackedTimeCode) {
    titles_.ParseXml(kUserList);
    EXPECT_EQ(titles_.GetTitle(0).Chapters.PlayChapter(1), 0);
    TOrderPlayAtTimeInTitle expected{};
    expected.title = 2;
    expected.timeCode = 0 | 1 << 8 | 30 << 16; // 0 h 1 min 30 s
    const auto order = OnlyOrder();
    EXPECT_EQ(order.order, kOrderPlayAtTimeInTitle);
    EXPECT_EQ(order.record, Request(expected));

    // The core then reports the chapter the user chapter lies in: the user chapter stays current.
    titles_.SetCurrent(2, 1);
    EXPECT_EQ(titles_.Current(), 0);
    EXPECT_EQ(titles_.GetTitle(0).Chapters.Current(), 1);
    EXPECT_EQ(titles_.GetTitle(0).Chapters.Pending(), TMyChapters::kNone);
    // A later report of that chapter (the user played on from elsewhere) selects the real chapter.
    titles_.SetCurrent(2, 1);
    EXPECT_EQ(titles_.GetTitle(0).Chapters.Current(), 0);
}

TEST_F(TMyTitlesTest, UserChaptersThatDoNotFitTheOrderAreNotSent) {
    titles_.ParseXml(u"<TITLESLIST><TITLE No=\"1\">"
                     u"<CHAPTER Title=\"1\" Chapter=\"1\" Time=\"-1\"/>"
                     u"<CHAPTER Title=\"300\" Chapter=\"1\" Time=\"1000\"/>"
                     u"<CHAPTER Title=\"1\" Chapter=\"1\" Time=\"999999999\"/>"
                     u"<CHAPTER Title=\"1\" Chapter=\"1\" Time=\"3725000\"/>"
                     u"</TITLE></TITLESLIST>");
    TMyChapters& chapters = titles_.GetTitle(0).Chapters;
    EXPECT_EQ(chapters.PlayChapter(0), -1); // negative time
    EXPECT_EQ(chapters.PlayChapter(1), -1); // title beyond a byte
    EXPECT_EQ(chapters.PlayChapter(2), -1); // 277 hours
    EXPECT_TRUE(core_->TakeOrders().empty());
    EXPECT_EQ(chapters.PlayChapter(3), 0);
    TOrderPlayAtTimeInTitle expected{};
    expected.title = 1;
    expected.timeCode = 1 | 2 << 8 | 5 << 16;
    EXPECT_EQ(OnlyOrder().record, Request(expected));
}

TEST_F(TMyTitlesTest, ARealChapterPlaysByTitleAndChapter) {
    titles_.SetTitleCount(2);
    titles_.SetChapterCount(2, 4);
    EXPECT_EQ(titles_.GetTitle(1).Chapters.PlayChapter(2), 0);
    TOrderTitleChapter expected{};
    expected.title = 2;
    expected.chapter = 3;
    const auto order = OnlyOrder();
    EXPECT_EQ(order.order, kOrderTitleChapter);
    EXPECT_EQ(order.record, Request(expected));
}

TEST_F(TMyTitlesTest, NextAndPreviousStepThroughTheListThenAskTheCore) {
    titles_.SetTitleCount(1);
    titles_.SetChapterCount(1, 3);
    EXPECT_EQ(titles_.NextChapter(), -1); // no current title yet
    titles_.SetCurrent(1, 2);
    TMyChapters& chapters = titles_.GetTitle(0).Chapters;
    ASSERT_EQ(chapters.Current(), 1);

    core_->answers[kOrderTitleChapter] = 7;
    EXPECT_EQ(titles_.NextChapter(), 7);
    EXPECT_EQ(chapters.Current(), 2);
    EXPECT_EQ(OnlyOrder().order, kOrderTitleChapter);

    EXPECT_EQ(titles_.NextChapter(), 0);
    EXPECT_EQ(OnlyOrder().order, kOrderNextChapter);
    EXPECT_EQ(chapters.Current(), 2);
    EXPECT_EQ(chapters.Pending(), TMyChapters::kNone);

    EXPECT_EQ(titles_.PrevChapter(), 7);
    EXPECT_EQ(chapters.Current(), 1);
    EXPECT_EQ(titles_.PrevChapter(), 7);
    EXPECT_EQ(chapters.Current(), 0);
    core_->TakeOrders();
    EXPECT_EQ(titles_.PrevChapter(), 0);
    EXPECT_EQ(OnlyOrder().order, kOrderPreviousChapter);
    EXPECT_EQ(chapters.Current(), 0);
}

TEST_F(TMyTitlesTest, FollowingTheCore) {
    titles_.ParseXml(u"<TITLESLIST><TITLE Name=\"mine\" IsRealTitle=\"0\" No=\"1\"/></TITLESLIST>");
    titles_.SetTitleCount(2);
    titles_.SetChapterCount(1, 2);
    titles_.SetCurrent(1, 2); // the user title numbered 1 is not real: the real title 1 is followed
    EXPECT_EQ(titles_.Current(), 1);
    EXPECT_EQ(titles_.GetTitle(1).Chapters.Current(), 1);
    titles_.SetCurrent(1, 9); // no such chapter
    EXPECT_EQ(titles_.GetTitle(1).Chapters.Current(), TMyChapters::kNone);
    titles_.SetCurrent(5, 1); // no such title
    EXPECT_EQ(titles_.Current(), TMyTitles::kNone);
    EXPECT_EQ(titles_.NextChapter(), -1);
    EXPECT_EQ(titles_.PrevChapter(), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());
}

TEST_F(TMyTitlesTest, BadIndexesGiveTheEmptyEntriesAndSendNothing) {
    titles_.SetTitleCount(1);
    titles_.SetChapterCount(1, 1);
    EXPECT_EQ(titles_.GetTitle(-1).TitleNo, -1);
    EXPECT_EQ(titles_.GetTitle(5).Chapters.Count(), 0);
    TMyChapters& chapters = titles_.GetTitle(0).Chapters;
    EXPECT_EQ(chapters.GetChapter(1).ChapterNo, -1);
    EXPECT_EQ(chapters.PlayChapter(1), -1);
    EXPECT_EQ(chapters.PlayChapter(-1), -1);
    EXPECT_EQ(chapters.PlayNext(), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());
    EXPECT_EQ(titles_.SetChapterCount(4, 2), -1); // no real title 4
}

TEST_F(TMyTitlesTest, CountsBeyondWhatADiscHoldsAreBounded) {
    EXPECT_EQ(titles_.SetTitleCount(-5), 0);
    EXPECT_EQ(titles_.Count(), 0);
    EXPECT_EQ(titles_.SetTitleCount(2000000000), TMyTitles::kMaxTitles);
    EXPECT_EQ(titles_.Count(), TMyTitles::kMaxTitles);
    EXPECT_EQ(titles_.SetChapterCount(1, 2000000000), TMyChapters::kMaxChapters);
    EXPECT_EQ(titles_.GetTitle(0).Chapters.Count(), TMyChapters::kMaxChapters);
}

TEST_F(TMyTitlesTest, LoadingReadsTheStreamOfTheStorageFile) {
    TempDir dir;
    const std::string path = dir.Path("disc.dsi");
    {
        plat::storage::CompoundFile file;
        ASSERT_TRUE(file.Open(path, plat::storage::CompoundFile::Access::Update, true));
        std::string bytes;
        for (char16_t c : kUserList) {
            bytes += static_cast<char>(c & 0xFF);
            bytes += static_cast<char>(c >> 8);
        }
        ASSERT_TRUE(file.WriteStream(u"TitlesChaptersInfo", bytes + "\x01")); // an odd last byte
        ASSERT_TRUE(file.WriteStream(u"Info", std::string(7464, '\0')));
    }
    TEventRecorder events;
    titles_.AddListener(&events, 1, &TEventRecorder::Callback);
    EXPECT_EQ(titles_.Load(dir.WPath("disc.dsi").c_str()), 0);
    EXPECT_EQ(Titles(), (std::vector<TEntryView>{{u"The film", true, 2, true}}));
    EXPECT_EQ(titles_.GetTitle(0).Chapters.Count(), 3);
    EXPECT_EQ(titles_.StorageFile(), dir.WPath("disc.dsi"));

    // A file without the stream, or no file at all: an empty list, told all the same.
    EXPECT_EQ(titles_.Load(dir.WPath("none.dsi").c_str()), -1);
    EXPECT_EQ(titles_.Count(), 0);
    EXPECT_EQ(titles_.Load(nullptr), -1);
    EXPECT_EQ(events.events, (std::vector<TRecordedEvent>{Ev(kEventTitles), Ev(kEventTitles)}));
}

TEST_F(TMyTitlesTest, ClearingEmptiesAndTellsTheListeners) {
    TEventRecorder events;
    titles_.AddListener(&events, 1, &TEventRecorder::Callback);
    titles_.ParseXml(kUserList);
    titles_.SetTitleCount(3);
    titles_.SetCurrent(2, 1);
    titles_.Clear();
    EXPECT_EQ(titles_.Count(), 0);
    EXPECT_EQ(titles_.RealTitleCount(), 0);
    EXPECT_EQ(titles_.Current(), TMyTitles::kNone);
    EXPECT_EQ(events.events, std::vector<TRecordedEvent>{Ev(kEventTitles)});
    titles_.AddListener(&events, 1, nullptr);
    titles_.NotifyChanged();
    EXPECT_EQ(events.events.size(), 1u);
}

} // namespace
