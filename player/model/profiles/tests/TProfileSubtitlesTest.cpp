// The profile subtitle sender against a recording core: the orders it sends when a profile opens, a
// volume or language is chosen or the disc changes, the page blocks byte for byte, the events its
// listeners hear, and a failed open. The profiles are real archives read by the real readers.
#include "player/model/profiles/TProfileSubtitles.h"

#include "core/include/SubtitleRecords.h"
#include "player/model/profiles/tests/ProfileArchiveFixture.h"
#include "player/model/tests/EventRecorder.h"
#include "player/model/tests/PlayerTestSupport.h"
#include "player/model/tests/RecordingCore.h"
#include "subtitles/model/FixedText.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TMergedEvent.h"
#include "subtitles/profiles/TTitle.h"
#include "subtitles/profiles/TVolume.h"
#include "subtitles/scripts/TScriptControl.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

template <class T> T ReadAt(const std::vector<uint8_t>& bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// One page the core received: its number and the texts and times of its events.
struct TSentEvent {
    int32_t Start;
    int32_t End;
    std::u16string Text;
    bool operator==(const TSentEvent&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TSentEvent& e) {
    return out << e.Start << "-" << e.End << " " << std::string(e.Text.begin(), e.Text.end());
}

std::vector<TSentEvent> EventsOfBlock(const std::vector<uint8_t>& block) {
    std::vector<TSentEvent> events;
    std::size_t offset = kPageOrderHeadBytes;
    for (uint32_t i = 0; i < ReadAt<uint32_t>(block, 20); ++i) {
        const auto record = ReadAt<TSubEventRecord>(block, offset);
        std::u16string text;
        for (std::size_t at = offset + kTextEventTextOffset; at + 1 < offset + record.size; at += 2) {
            const auto unit = ReadAt<char16_t>(block, at);
            if (unit == 0) {
                break;
            }
            text += unit;
        }
        events.push_back({record.start, record.end, text});
        offset += record.size;
    }
    return events;
}

const std::vector<TFixtureEvent> kEnglish{{1000, 2000, "One"}, {3000, 4000, "Two"}};
const std::vector<TFixtureEvent> kGerman{{1000, 2000, "Eins"}, {3000, 4000, "Zwei"}};
const std::vector<TFixtureEvent> kFrench{{500, 1500, "Un"}};

// Volume 1 (disc 11/12): English with titles 1 and 2 (title 2 moved by 10 s), German with title 1
// only. Volume 2 (disc 21/22, pages by chapter): French with title 1, and a language without titles.
std::vector<TFixtureVolume> TwoVolumes() {
    return {{"Disc one",
             11,
             12,
             false,
             {{"English", kEnglish, {{1, 0}, {2, 10000}}}, {"German", kGerman, {{1, 0}}}}},
            {"Disc two", 21, 22, true, {{"French", kFrench, {{1, 0}}}, {"Empty", kFrench, {}}}}};
}

class TProfileSubtitlesTest : public testing::Test {
protected:
    TProfileSubtitlesTest() : core_(new TRecordingCore), globals_(std::unique_ptr<TSendToCore>(core_)) {
        hub_.CreateInstance(1);
        sender_.AddListener(&listener_, 7, &TEventRecorder::Callback);
        core_->during = [this](uint32_t order, void* record) {
            if (order == kOrderSubtitlePages) {
                const auto* bytes = static_cast<const uint8_t*>(record);
                std::vector<uint8_t> block(bytes, bytes + ReadAt<uint32_t>({bytes, bytes + 8}, 4));
                pages_.push_back(block);
            }
        };
    }

    std::u16string Write(const std::vector<TFixtureVolume>& volumes) {
        const std::string path = folder_.filePath("profile.zds").toStdString();
        EXPECT_TRUE(WriteFixtureProfile(path, volumes));
        return std::u16string(path.begin(), path.end());
    }

    // The page numbers and events of the 502 orders since the last call.
    std::map<uint32_t, std::vector<TSentEvent>> TakePages() {
        std::map<uint32_t, std::vector<TSentEvent>> pages;
        for (const auto& block : std::exchange(pages_, {})) {
            pages[ReadAt<uint32_t>(block, 16)] = EventsOfBlock(block);
        }
        return pages;
    }

    std::vector<TRecordedEvent> TakeEvents() { return std::exchange(listener_.events, {}); }

    // Order numbers, with the value of 501 and 504 and the step of 503 after a dot (501.1).
    std::vector<std::string> TakeOrders() {
        std::vector<std::string> orders;
        for (const TRecordingCore::TOrder& o : core_->TakeOrders()) {
            std::string text = std::to_string(o.order);
            if (o.order == kOrderSubtitlesOn || o.order == kOrderProfileFlag || o.order == kOrderStyles) {
                text += "." + std::to_string(ReadAt<uint32_t>(o.record, 8) &
                                             (o.order == kOrderStyles ? ~0u : 0xFFu));
            }
            orders.push_back(text);
        }
        return orders;
    }

    TRecordingCore* core_;
    TPlayerGlobalsScope globals_;
    TPlayerObjects hub_{nullptr};
    TProfileSubtitles sender_{&hub_};
    TEventRecorder listener_;
    QTemporaryDir folder_;
    std::vector<std::vector<uint8_t>> pages_;
};

TEST_F(TProfileSubtitlesTest, OpeningSendsTheFirstLanguageAndShowsIt) {
    ASSERT_EQ(sender_.Open(Write(TwoVolumes())), 0);
    EXPECT_EQ(TakeOrders(), (std::vector<std::string>{"501.0", "504.0", "503.1", "503.2", "503.4", "503.4",
                                                      "503.3", "502", "502", "501.1"}));
    EXPECT_EQ(TakePages(), (std::map<uint32_t, std::vector<TSentEvent>>{
                               {1, {{1000, 2000, u"One"}, {3000, 4000, u"Two"}}},
                               {2, {{11000, 12000, u"One"}, {13000, 14000, u"Two"}}}}));
    EXPECT_EQ(TakeEvents(), (std::vector<TRecordedEvent>{Ev(kEventProfileShown, 0), Ev(kEventProfileShown, 1),
                                                         Ev(kEventProfileChanged), Ev(kEventProfileVolume, 0),
                                                         Ev(kEventProfileLanguage, 0)}));
    EXPECT_TRUE(sender_.Shown());
    EXPECT_EQ(sender_.GetVolumeCount(), 2);
    EXPECT_EQ(sender_.GetLanguageCount(), 2);
}

TEST_F(TProfileSubtitlesTest, TheStylesGoWholeInListOrder) {
    ASSERT_EQ(sender_.Open(Write(TwoVolumes())), 0);
    std::vector<std::u16string> names;
    std::vector<int32_t> sizes;
    for (const TRecordingCore::TOrder& o : core_->TakeOrders()) {
        if (o.order == kOrderStyles && ReadAt<uint32_t>(o.record, 8) == 4) {
            ASSERT_EQ(o.record.size(), sizeof(TOrderStyles));
            const auto style = ReadAt<TSubtitleStyleRecord>(o.record, 12);
            names.emplace_back(FixedTextView(style.name, kStyleNameUnits));
            sizes.push_back(style.fontSize);
        }
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"Default", u"Sign"}));
    EXPECT_EQ(sizes, (std::vector<int32_t>{21, 41})); // the first language's
}

TEST_F(TProfileSubtitlesTest, TheDiscIdChoosesItsVolumeOnceAndAgainOnlyWhenItChanges) {
    ASSERT_EQ(sender_.Open(Write(TwoVolumes())), 0);
    TakeOrders();
    TakePages();
    TakeEvents();
    EXPECT_TRUE(sender_.SelectVolumeForDisc(21, 22, false));
    EXPECT_EQ(TakeOrders(),
              (std::vector<std::string>{"504.1", "503.1", "503.2", "503.4", "503.4", "503.3", "502", "502"}));
    EXPECT_EQ(TakePages(), (std::map<uint32_t, std::vector<TSentEvent>>{{1, {{500, 1500, u"Un"}}}, {2, {}}}))
        << "title 2 of the former language is emptied";
    EXPECT_EQ(TakeEvents(), (std::vector<TRecordedEvent>{Ev(kEventProfileChanged), Ev(kEventProfileVolume, 1),
                                                         Ev(kEventProfileLanguage, 0)}));
    EXPECT_FALSE(sender_.SelectVolumeForDisc(21, 22, false)) << "already chosen";
    EXPECT_FALSE(sender_.SelectVolumeForDisc(11, 12, true)) << "suppressed";
    EXPECT_TRUE(TakeOrders().empty());
    EXPECT_TRUE(TakeEvents().empty());
    EXPECT_EQ(sender_.VolumeIndex(), 1);
}

TEST_F(TProfileSubtitlesTest, TheDiscIdHandedInBeforeOpeningChoosesTheVolumeAtOpen) {
    sender_.SelectVolumeForDisc(21, 22, false);
    ASSERT_EQ(sender_.Open(Write(TwoVolumes())), 0);
    EXPECT_EQ(sender_.VolumeIndex(), 1);
    EXPECT_EQ(TakePages(), (std::map<uint32_t, std::vector<TSentEvent>>{{1, {{500, 1500, u"Un"}}}}));
    EXPECT_EQ(TakeOrders().size(), 10u) << "the language is sent once";
}

TEST_F(TProfileSubtitlesTest, ALanguageWithoutTitlesClearsThePages) {
    ASSERT_EQ(sender_.Open(Write({{"Only", 0, 0, false, {{"Empty", {}, {}, false}}}})), 0);
    EXPECT_EQ(TakeOrders(), (std::vector<std::string>{"501.0", "504.0", "500", "501.1"}));
}

TEST_F(TProfileSubtitlesTest, ATitleWithoutEventsSendsTheStylesAndNoPage) {
    ASSERT_EQ(sender_.Open(Write({{"Only", 0, 0, false, {{"Silent", {}, {{1, 0}}}}}})), 0);
    EXPECT_EQ(TakeOrders(), (std::vector<std::string>{"501.0", "504.0", "503.1", "503.2", "503.4", "503.4",
                                                      "503.3", "501.1"}));
}

TEST_F(TProfileSubtitlesTest, SwitchingLanguageReplacesThePagesAndEmptiesTheOnesItLacks) {
    ASSERT_EQ(sender_.Open(Write(TwoVolumes())), 0);
    TakePages();
    TakeEvents();
    ASSERT_NE(sender_.SelectLanguage(1), nullptr);
    EXPECT_EQ(TakePages(), (std::map<uint32_t, std::vector<TSentEvent>>{
                               {1, {{1000, 2000, u"Eins"}, {3000, 4000, u"Zwei"}}}, {2, {}}}));
    EXPECT_EQ(TakeEvents(), (std::vector<TRecordedEvent>{Ev(kEventProfileLanguage, 1)}));
    ASSERT_NE(sender_.SelectLanguage(0), nullptr);
    EXPECT_EQ(TakePages().size(), 2u);
    EXPECT_EQ(sender_.SelectLanguage(2), nullptr);
    EXPECT_EQ(sender_.SelectLanguage(-1), nullptr);
    EXPECT_TRUE(TakeOrders().size() > 0);
    EXPECT_EQ(sender_.LanguageIndex(), 0);
}

TEST_F(TProfileSubtitlesTest, WithAutoSendOffAChoiceOnlyAnnouncesIt) {
    ASSERT_EQ(sender_.Open(Write(TwoVolumes())), 0);
    TakeOrders();
    TakeEvents();
    sender_.SetAutoSend(false);
    ASSERT_NE(sender_.SelectLanguage(1), nullptr);
    EXPECT_TRUE(TakeOrders().empty());
    EXPECT_EQ(TakeEvents(), (std::vector<TRecordedEvent>{Ev(kEventProfileLanguage, 1)}));
    TakePages();
    // Sending a language at once, as the editor does, whatever the choice.
    EXPECT_TRUE(sender_.SendLanguageNow(sender_.GetLanguage(1)));
    EXPECT_EQ(TakePages(), (std::map<uint32_t, std::vector<TSentEvent>>{
                               {1, {{1000, 2000, u"Eins"}, {3000, 4000, u"Zwei"}}}, {2, {}}}));
    EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(TProfileSubtitlesTest, ChoosingAVolumeAnnouncesItsFirstLanguage) {
    ASSERT_EQ(sender_.Open(Write(TwoVolumes())), 0);
    ASSERT_NE(sender_.SelectLanguage(1), nullptr);
    TakeEvents();
    TakeOrders();
    ASSERT_NE(sender_.SelectVolume(1), nullptr);
    EXPECT_EQ(TakeEvents(),
              (std::vector<TRecordedEvent>{Ev(kEventProfileVolume, 1), Ev(kEventProfileLanguage, 0)}));
    EXPECT_EQ(TakeOrders().front(), "504.1") << "volume 2 keys pages by chapter";
    EXPECT_EQ(sender_.SelectVolume(2), nullptr);
    EXPECT_EQ(sender_.GetVolume(2), nullptr);
    EXPECT_EQ(sender_.GetVolume(0)->Name, "Disc one");
    EXPECT_EQ(sender_.GetLanguage(1)->Name, u"Empty");
    EXPECT_EQ(sender_.GetLanguage(2), nullptr);
}

TEST_F(TProfileSubtitlesTest, AProfileThatDoesNotLoadLeavesTheSubtitlesHidden) {
    ASSERT_EQ(sender_.Open(Write(TwoVolumes())), 0);
    TakeOrders();
    TakeEvents();
    EXPECT_EQ(sender_.Open(folder_.filePath("missing.zds").toStdU16String()), -1);
    EXPECT_EQ(TakeOrders(), std::vector<std::string>{"501.0"});
    EXPECT_EQ(TakeEvents(),
              (std::vector<TRecordedEvent>{Ev(kEventProfileShown, 0), Ev(kEventProfileChanged),
                                           Ev(kEventProfileVolume, 0), Ev(kEventProfileLanguage, 0)}));
    EXPECT_FALSE(sender_.Shown());
    EXPECT_EQ(sender_.GetVolumeCount(), 0);
    EXPECT_EQ(sender_.GetLanguageCount(), 0);
    EXPECT_FALSE(globals_.box.shown.empty()) << "the failure is reported";
}

TEST_F(TProfileSubtitlesTest, ClosingHidesAndAnnouncesUnlessSilent) {
    ASSERT_EQ(sender_.Open(Write(TwoVolumes())), 0);
    TakeOrders();
    TakeEvents();
    sender_.Close(false);
    EXPECT_EQ(TakeOrders(), std::vector<std::string>{"501.0"});
    EXPECT_EQ(TakeEvents(),
              (std::vector<TRecordedEvent>{Ev(kEventProfileChanged), Ev(kEventProfileVolume, 0),
                                           Ev(kEventProfileLanguage, 0), Ev(kEventProfileShown, 0)}));
    sender_.Close(true);
    EXPECT_EQ(TakeEvents(), std::vector<TRecordedEvent>{Ev(kEventProfileShown, 0)});
}

TEST_F(TProfileSubtitlesTest, PathTitleAndOffset) {
    char16_t path[8];
    char title[8];
    EXPECT_FALSE(sender_.GetProfilePath(path, sizeof path / 2));
    EXPECT_FALSE(sender_.GetProfileTitle(title, sizeof title));
    const std::u16string file = Write(TwoVolumes());
    ASSERT_EQ(sender_.Open(file), 0);
    ASSERT_TRUE(sender_.GetProfilePath(path, 8));
    EXPECT_EQ(std::u16string(path), file.substr(0, 7));
    ASSERT_TRUE(sender_.GetProfileTitle(title, sizeof title));
    EXPECT_EQ(std::string(title), "Fixture");
    char pathA[8];
    ASSERT_TRUE(sender_.GetProfilePathA(pathA, sizeof pathA));
    EXPECT_EQ(std::string(pathA), std::string(file.begin(), file.begin() + 7));
    EXPECT_FALSE(sender_.GetProfilePathA(pathA, 0));
    EXPECT_FALSE(sender_.GetProfileTitle(title, 0));
    TakeOrders();
    EXPECT_EQ(sender_.SetSubtitleOffset(-1500), 1);
    const auto orders = core_->TakeOrders();
    ASSERT_EQ(orders.size(), 1u);
    EXPECT_EQ(orders[0].order, kOrderSubtitleOffset);
    EXPECT_EQ(ReadAt<int32_t>(orders[0].record, 8), -1500);
}

TEST_F(TProfileSubtitlesTest, TheEditorsPreviewSendsOneListAsOnePage) {
    ASSERT_EQ(sender_.Open(Write(TwoVolumes())), 0);
    TLanguage* language = sender_.GetLanguage(0);
    TTitle* title = language->Titles.Head;
    title->BuildEvents();
    TakeOrders();
    TakePages();
    EXPECT_EQ(sender_.SendEventList(nullptr, &title->Events, 5), -1);
    EXPECT_EQ(sender_.SendEventList(&language->Styles, nullptr, 5), -1);
    EXPECT_TRUE(TakeOrders().empty());
    EXPECT_EQ(sender_.SendEventList(&language->Styles, &title->Events, 5), 0);
    EXPECT_EQ(TakeOrders(),
              (std::vector<std::string>{"500", "503.1", "503.2", "503.4", "503.4", "503.3", "504.0", "502"}));
    EXPECT_EQ(TakePages().begin()->first, 5u);
}

// The block layout: the order's head and size word, the page head, and each record stepping by its
// size; a merged copy writes its source's record with its own times.
TEST(SerializeEvents, TheBlockCarriesItsSizeTwiceThePageHeadAndEachRecord) {
    const std::string script = FixtureScript({{1000, 2000, "Hi"}, {3000, 4500, "there"}}, 20);
    TScriptControl source;
    ASSERT_TRUE(source.Parse(script, 0));
    TSelect select;
    select.TitleNumber = 3;
    TPointer<TSubEvents> events;
    TTitle::AddEventCopy(*source.Events.Head, select, events)->GetRecord()->start = 7000;
    events.Tail->GetRecord()->end = 8000;
    const std::vector<std::byte> block = SerializeEvents(events, true);
    const std::vector<uint8_t> bytes(reinterpret_cast<const uint8_t*>(block.data()),
                                     reinterpret_cast<const uint8_t*>(block.data()) + block.size());
    const std::size_t record = TextEventWireSize(true, 2);
    ASSERT_EQ(bytes.size(), kPageOrderHeadBytes + record);
    EXPECT_EQ(ReadAt<uint32_t>(bytes, 12), kPageBlockHeadBytes);
    EXPECT_EQ(ReadAt<uint32_t>(bytes, 20), 1u);
    EXPECT_EQ(ReadAt<uint32_t>(bytes, kPageOrderHeadBytes + 8), record);
    EXPECT_EQ(EventsOfBlock(bytes), (std::vector<TSentEvent>{{7000, 8000, u"Hi"}}));
    const std::vector<std::byte> bare = SerializeEvents(source.Events, false);
    EXPECT_EQ(bare.size(), kPageBlockHeadBytes + record + TextEventWireSize(true, 5));
    EXPECT_TRUE(SerializeEvents(TPointer<TSubEvents>(), true).empty());
}

} // namespace
