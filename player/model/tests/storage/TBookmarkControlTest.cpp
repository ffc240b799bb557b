// The bookmark control against a recording core and real storage files: the orders it sends, the
// list it keeps in step with the "Info" stream, its searches, and the files it leaves.
#include "player/model/storage/TBookmarkControl.h"

#include "foundation/tests/TempDir.h"
#include "platform/storage/CompoundFile.h"
#include "platform/storage/tests/GsfTool.h"
#include "player/model/storage/TBookmarkIndex.h"
#include "player/model/tests/controllers/ControllerTestSupport.h"
#include "player/model/tests/storage/StateFileWriter.h"

#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using plat::storage::CompoundFile;
using plat::text::AnsiToWide;
using plat::text::WideToAnsi;

namespace {

class TManualTicks : public ITickSource {
public:
    uint32_t GetTickCount() override { return now; }
    uint32_t now = 5000;
};

struct TStateOrder {
    uint32_t order;
    std::string file;
    std::u16string name;
    uint8_t flag;
    bool operator==(const TStateOrder&) const = default;
};

std::map<std::u16string, std::string> AllStreams(const std::string& file) {
    CompoundFile storage;
    EXPECT_TRUE(storage.Open(file, CompoundFile::Access::Read, false));
    std::map<std::u16string, std::string> streams;
    for (const std::u16string& name : storage.ElementNames()) {
        streams[name] = *storage.Stream(name);
    }
    return streams;
}

class TBookmarkControlTest : public TControllerTest {
protected:
    TBookmarkControlTest() {
        auto ticks = std::make_unique<TManualTicks>();
        ticks_ = ticks.get();
        control_ = std::make_unique<TBookmarkControl>(hub_, std::move(ticks));
        control_->AddListener(&events_, 7, &TEventRecorder::Callback);
    }

    // A storage file holding bookmarks saved as the core saves them.
    std::string FileWith(const std::vector<std::tuple<std::string, uint8_t, uint8_t, uint32_t>>& marks) {
        const std::string file = dir_.Path("disc.dsi");
        for (const auto& [caption, title, chapter, time] : marks) {
            EXPECT_TRUE(
                StateFileWriter::AddIndexedState(file, caption, title, chapter, time, "state " + caption));
        }
        return file;
    }

    void Open(const std::string& file) { control_->SetStorageFile(AnsiToWide(file).c_str()); }

    std::vector<TStateOrder> TakeStateOrders() {
        std::vector<TStateOrder> sent;
        for (const TRecordingCore::TOrder& order : core_->TakeOrders()) {
            EXPECT_EQ(order.record.size(), sizeof(TOrderDvdState));
            TOrderDvdState record{};
            std::memcpy(&record, order.record.data(), std::min(order.record.size(), sizeof record));
            EXPECT_EQ(record.head.size, sizeof(TOrderDvdState));
            sent.push_back({order.order, WideToAnsi(record.storageFile), record.streamName, record.flag});
        }
        return sent;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int32_t i = 0; i < control_->Count(); ++i) {
            names.push_back(control_->GetBookmark(i)->Name);
        }
        return names;
    }

    TempDir dir_;
    TManualTicks* ticks_;
    std::unique_ptr<TBookmarkControl> control_;
};

} // namespace

TEST_F(TBookmarkControlTest, ANewFileHasNoBookmarksAndAddingMakesItsFolderFirst) {
    const std::string file = dir_.Path("12345678-9ABCDEF0-LABEL/12345678-9ABCDEF0.dsi");
    EXPECT_EQ(control_->SetStorageFile(AnsiToWide(file).c_str()), -1);
    EXPECT_EQ(control_->Count(), 0);
    EXPECT_EQ(control_->StartupBookmark(), -1);
    bool folderMade = false;
    core_->during = [&](uint32_t, void*) {
        folderMade = std::filesystem::is_directory(dir_.Path("12345678-9ABCDEF0-LABEL"));
    };
    core_->answers[kOrderSaveDvdState] = 0;
    EXPECT_EQ(control_->AddBookmark(u"First"), 0);
    EXPECT_TRUE(folderMade);
    EXPECT_EQ(TakeStateOrders(), (std::vector<TStateOrder>{{kOrderSaveDvdState, file, u"First", 0}}));
}

TEST_F(TBookmarkControlTest, LoadingFillsTheListAndTellsTheListeners) {
    const std::string file = FileWith({{"One", 1, 1, 0}, {"Two", 1, 2, 10}, {"Three", 2, 1, 20}});
    events_.events.clear();
    EXPECT_EQ(control_->SetStorageFile(AnsiToWide(file).c_str()), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"One", "Two", "Three"}));
    EXPECT_EQ(control_->GetBookmark(2)->Index, 3);
    EXPECT_STREQ(control_->GetBookmark(2)->Identifier, "B0003");
    EXPECT_EQ(control_->GetBookmark(3), nullptr);
    EXPECT_EQ(control_->GetBookmark(-1), nullptr);
    EXPECT_EQ(events_.events.size(), 2u) << "emptied, then filled";
    control_->Clear(true);
    EXPECT_EQ(events_.events.size(), 2u);
    control_->Clear(false);
    EXPECT_EQ(events_.events.size(), 3u);
    EXPECT_EQ(control_->SetStorageFile(nullptr), -1);
    EXPECT_TRUE(control_->StorageFile().empty());
}

TEST_F(TBookmarkControlTest, AStreamOfTheWrongSizeLeavesTheListEmpty) {
    const std::string file = FileWith({{"One", 1, 1, 0}});
    ASSERT_TRUE(StateFileWriter::SaveNamedState(file, u"Info", std::string(7463, '\0')));
    EXPECT_EQ(control_->SetStorageFile(AnsiToWide(file).c_str()), -1);
    EXPECT_EQ(control_->Count(), 0);
}

TEST_F(TBookmarkControlTest, NoBookmarkIsAddedBeyondSixtyNineAndNothingIsSentThen) {
    std::vector<std::tuple<std::string, uint8_t, uint8_t, uint32_t>> marks;
    for (int i = 0; i < 68; ++i) {
        marks.emplace_back("m" + std::to_string(i), 1, 1, i);
    }
    const std::string file = FileWith(marks);
    Open(file);
    ASSERT_EQ(control_->Count(), 68);
    core_->during = [&](uint32_t order, void*) {
        if (order == kOrderSaveDvdState) {
            StateFileWriter::AddIndexedState(file, "m68", 1, 1, 68, "state");
        }
    };
    EXPECT_EQ(control_->AddBookmark(u"m68"), 0);
    EXPECT_EQ(control_->Count(), 69);
    core_->TakeOrders();
    EXPECT_EQ(control_->AddBookmark(u"m69"), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());
    EXPECT_EQ(AllStreams(file).size(), 70u) << "69 states and the index, none without its slot";
}

TEST_F(TBookmarkControlTest, EveryOrderNeedsAFileAndTextsThatFitTheRecord) {
    EXPECT_EQ(control_->AddBookmark(u"x"), -1);
    EXPECT_EQ(control_->SaveResumePoint(), -1);
    EXPECT_EQ(control_->RestoreResumePoint(), -1);
    EXPECT_EQ(control_->GoToBookmark(0), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());

    const std::string longFolder = dir_.Path(std::string(200, 'f'));
    std::filesystem::create_directory(longFolder);
    const std::string longFile =
        longFolder + "/" + std::string(259 - longFolder.size() - 1 - 4, 'n') + ".dsi";
    ASSERT_EQ(AnsiToWide(longFile).size(), 259u);
    Open(longFile);
    EXPECT_EQ(control_->AddBookmark(std::u16string(259, u'a').c_str()), 0) << "259 units fit";
    EXPECT_EQ(TakeStateOrders().size(), 1u);
    EXPECT_EQ(control_->AddBookmark(std::u16string(260, u'a').c_str()), -1);
    EXPECT_TRUE(core_->TakeOrders().empty());

    Open(longFile + "x");
    errors_.events.clear();
    EXPECT_EQ(control_->SaveResumePoint(), -1) << "a longer file name is refused, not cut";
    EXPECT_TRUE(core_->TakeOrders().empty());
    EXPECT_EQ(errors_.events.size(), 1u);
}

TEST_F(TBookmarkControlTest, GoingToABookmarkRestoresItsState) {
    const std::string file = FileWith({{"One", 1, 1, 0}, {"Two", 1, 2, 10}});
    Open(file);
    core_->answers[kOrderRestoreDvdState] = 0;
    EXPECT_EQ(control_->GoToBookmark(1), 0);
    EXPECT_EQ(control_->GoToBookmark(2), -1);
    EXPECT_EQ(TakeStateOrders(), (std::vector<TStateOrder>{{kOrderRestoreDvdState, file, u"B0002", 0}}));
    core_->answers[kOrderRestoreDvdState] = -1;
    EXPECT_EQ(control_->GoToBookmark(0), -1) << "the core's answer";
}

TEST_F(TBookmarkControlTest, TheResumePointIsANamedStateWithoutABookmark) {
    const std::string file = FileWith({{"One", 1, 1, 0}});
    Open(file);
    EXPECT_EQ(control_->SaveResumePoint(), 0);
    EXPECT_EQ(control_->RestoreResumePoint(), 0);
    EXPECT_EQ(TakeStateOrders(),
              (std::vector<TStateOrder>{{kOrderSaveDvdState, file, u"SAVEFORRESUME", 1},
                                        {kOrderRestoreDvdState, file, u"SAVEFORRESUME", 0}}));
    EXPECT_EQ(control_->Count(), 1);
}

TEST_F(TBookmarkControlTest, NextAndPreviousFindTheNearestBookmarkInTheirDirection) {
    Open(FileWith({{"A", 1, 2, 5000}, {"B", 1, 3, 0}, {"C", 1, 2, 7000}, {"D", 1, 2, 7000}}));
    struct Case {
        bool forward;
        uint8_t title, chapter;
        uint32_t time;
        std::u16string expected; // empty: none found, nothing sent
    };
    const Case cases[] = {
        {true, 1, 2, 6000, u"B0004"},  // C and D are equally near: the last in list order wins
        {true, 1, 2, 7000, u"B0002"},  // strictly after
        {false, 1, 3, 0, u"B0004"},    // nearest before, the last of equals
        {true, 1, 3, 0, u""},          // none after
        {false, 1, 2, 5000, u""},      // none before
        {false, 1, 2, 5001, u"B0001"}, //
        {true, 0, 255, 0xFFFFFFFF, u"B0001"},
    };
    for (const Case& c : cases) {
        ticks_->now += 5000; // never a quick repeat
        const int32_t result = c.forward ? control_->GoToNextBookmark(c.title, c.chapter, c.time)
                                         : control_->GoToPreviousBookmark(c.title, c.chapter, c.time);
        const auto sent = TakeStateOrders();
        if (c.expected.empty()) {
            EXPECT_EQ(result, 0);
            EXPECT_TRUE(sent.empty());
        } else {
            ASSERT_EQ(sent.size(), 1u);
            EXPECT_EQ(sent[0].name, c.expected);
        }
    }
}

TEST_F(TBookmarkControlTest, AQuickRepeatSkipsOneBookmarkFurther) {
    Open(FileWith({{"A", 1, 1, 0}, {"B", 1, 2, 0}, {"C", 1, 3, 0}}));
    struct Step {
        uint32_t after; // ms since the previous call
        bool forward;
        uint8_t chapter;
        uint32_t time;
        std::u16string expected;
    };
    const Step steps[] = {
        {0, true, 0, 0, u"B0001"},    // the first call
        {1000, true, 0, 0, u"B0002"}, // within a second, same direction: one further
        {1001, true, 0, 0, u"B0001"}, // more than a second later
        {10, false, 3, 1, u"B0003"},  // the other direction is no repeat
        {10, false, 3, 1, u"B0002"},  // a repeat backward
        {10, false, 1, 1, u"B0001"},  // a repeat whose second search finds nothing keeps the first
    };
    ticks_->now = 0xFFFFFC00; // the tick count wraps during the steps
    for (const Step& s : steps) {
        ticks_->now += s.after;
        if (s.forward) {
            control_->GoToNextBookmark(1, s.chapter, s.time);
        } else {
            control_->GoToPreviousBookmark(1, s.chapter, s.time);
        }
        const auto sent = TakeStateOrders();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].name, s.expected) << s.after;
    }
}

TEST_F(TBookmarkControlTest, MovingPutsTheEntryAtTheTargetPosition) {
    struct Case {
        int32_t from, to;
        bool failed;
        std::vector<std::string> order;
    };
    const Case cases[] = {
        {0, 2, false, {"B", "C", "A"}}, {2, 0, false, {"C", "A", "B"}}, {0, 1, false, {"B", "A", "C"}},
        {1, 1, true, {"A", "B", "C"}},  {0, 3, true, {"A", "B", "C"}},  {-1, 0, true, {"A", "B", "C"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir_.Path("disc.dsi"));
        Open(FileWith({{"A", 1, 1, 0}, {"B", 1, 2, 0}, {"C", 1, 3, 0}}));
        EXPECT_EQ(control_->MoveBookmark(c.from, c.to), c.failed);
        EXPECT_EQ(Names(), c.order) << c.from << " -> " << c.to;
        Open(dir_.Path("disc.dsi"));
        EXPECT_EQ(Names(), c.order) << "the file holds the new order";
    }
}

TEST_F(TBookmarkControlTest, RenamingKeepsAtMostSeventyFourBytesCutBetweenCharacters) {
    Open(FileWith({{"A", 1, 1, 0}}));
    EXPECT_FALSE(control_->RenameBookmark(0, std::u16string(100, u'n').c_str()));
    EXPECT_EQ(std::string(control_->GetBookmark(0)->Name), std::string(74, 'n'));
    // 37 two-byte characters fill 74 bytes; a 38th would not fit and is left out whole.
    EXPECT_FALSE(control_->RenameBookmark(0, std::u16string(38, u'\u00E9').c_str()));
    std::string expected;
    for (int i = 0; i < 37; ++i) {
        expected += "\xC3\xA9";
    }
    EXPECT_EQ(std::string(control_->GetBookmark(0)->Name), expected);
    EXPECT_FALSE(control_->RenameBookmark(0, u"\u65E5\u672C"));
    EXPECT_EQ(std::string(control_->GetBookmark(0)->Name), "\xE6\x97\xA5\xE6\x9C\xAC");
    EXPECT_TRUE(control_->RenameBookmark(1, u"x"));
}

TEST_F(TBookmarkControlTest, TheStartupBookmarkTogglesAndStaysWithItsBookmark) {
    const std::string file = FileWith({{"A", 1, 1, 0}, {"B", 1, 2, 0}, {"C", 1, 3, 0}, {"D", 1, 4, 0}});
    Open(file);
    EXPECT_EQ(control_->ToggleStartupBookmark(3), 3);
    Open(file);
    EXPECT_EQ(control_->StartupBookmark(), 3) << "kept in the stream";
    EXPECT_EQ(control_->MoveBookmark(3, 0), false);
    EXPECT_EQ(control_->StartupBookmark(), 0);
    EXPECT_STREQ(control_->GetBookmark(0)->Name, "D");
    core_->answers[kOrderDeleteDvdState] = 0;
    EXPECT_EQ(control_->DeleteBookmark(2), 0);
    EXPECT_EQ(control_->StartupBookmark(), 0);
    EXPECT_EQ(control_->ToggleStartupBookmark(0), -1);
    EXPECT_EQ(control_->ToggleStartupBookmark(1), 1);
    EXPECT_EQ(control_->DeleteBookmark(1), 0);
    EXPECT_EQ(control_->StartupBookmark(), -1) << "a deleted start-up bookmark leaves none";
    EXPECT_EQ(control_->ToggleStartupBookmark(9), -1);

    EXPECT_EQ(Names(), (std::vector<std::string>{"D", "C"}));
    EXPECT_EQ(control_->ToggleStartupBookmark(1), 1);
    core_->TakeOrders();
    control_->GoToStartupBookmark();
    EXPECT_EQ(TakeStateOrders(), (std::vector<TStateOrder>{{kOrderRestoreDvdState, file, u"B0003", 0}}));
}

TEST_F(TBookmarkControlTest, DeletingKeepsTheEntryWhileItsStateIsStillThere) {
    const std::string file = FileWith({{"A", 1, 1, 0}, {"B", 1, 2, 0}});
    Open(file);
    core_->answers[kOrderDeleteDvdState] = -1;
    EXPECT_EQ(control_->DeleteBookmark(0), -1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(TakeStateOrders(), (std::vector<TStateOrder>{{kOrderDeleteDvdState, file, u"B0001", 0}}));

    // The core failed, but the state is gone (deleted earlier): the entry goes too.
    core_->during = [&](uint32_t, void*) {
        CompoundFile storage;
        ASSERT_TRUE(storage.Open(file, CompoundFile::Access::Update, false));
        ASSERT_TRUE(storage.DestroyElement(u"B0001"));
    };
    EXPECT_EQ(control_->DeleteBookmark(0), 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"B"}));
    EXPECT_EQ(control_->DeleteBookmark(1), -1);
}

TEST_F(TBookmarkControlTest, AChangeKeepsWhatAnotherPlayerAddedMeanwhile) {
    const std::string file = FileWith({{"A", 1, 1, 0}, {"B", 1, 2, 0}});
    Open(file);
    ASSERT_TRUE(StateFileWriter::AddIndexedState(file, "Elsewhere", 2, 1, 0, "state"));
    EXPECT_FALSE(control_->RenameBookmark(0, u"Renamed"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Renamed", "B", "Elsewhere"}));
}

TEST_F(TBookmarkControlTest, SavingWritesTheWholeIndex) {
    EXPECT_EQ(control_->Save(), -1);
    const std::string file = FileWith({{"A", 1, 1, 0}, {"B", 1, 2, 0}});
    Open(file);
    const std::string copy = dir_.Path("copy/copy.dsi");
    EXPECT_EQ(control_->Save(AnsiToWide(copy).c_str()), 1);
    EXPECT_EQ(AllStreams(copy).at(u"Info"), AllStreams(file).at(u"Info"));
    std::filesystem::create_directory(dir_.Path("blocked.dsi"));
    EXPECT_EQ(control_->Save(dir_.WPath("blocked.dsi").c_str()), 0);
    EXPECT_EQ(control_->Save(), 1);
}

// Several bookmarks, a resume state and the titles list: renaming one bookmark changes nothing but
// that bookmark's name, and the file stays readable by an independent reader.
TEST_F(TBookmarkControlTest, RenamingOneBookmarkLeavesEveryOtherStreamByteIdentical) {
    const std::string file = FileWith({{"First", 1, 1, 0}, {"Second", 1, 5, 1234}, {"Third", 3, 2, 99999}});
    ASSERT_TRUE(StateFileWriter::SaveNamedState(file, u"SAVEFORRESUME", std::string(56, '\x05')));
    std::u16string titles = u"<TITLES><TITLE Num=\"1\" Name=\"Main\"/></TITLES>";
    ASSERT_TRUE(StateFileWriter::SaveNamedState(
        file, u"TitlesChaptersInfo",
        std::string(reinterpret_cast<const char*>(titles.data()), titles.size() * 2)));
    const auto before = AllStreams(file);
    ASSERT_EQ(before.size(), 6u);

    Open(file);
    ASSERT_FALSE(control_->RenameBookmark(1, u"Renamed"));

    const auto after = AllStreams(file);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, bytes] : before) {
        if (name != u"Info") {
            EXPECT_EQ(after.at(name), bytes) << WideToAnsi(name);
        }
    }
    std::string expectedInfo = before.at(u"Info");
    const std::size_t nameField = 1024 + 92 + 6;
    std::memset(expectedInfo.data() + nameField, 0, 75);
    std::memcpy(expectedInfo.data() + nameField, "Renamed", 7);
    EXPECT_EQ(after.at(u"Info"), expectedInfo);

    if (!GsfTool::Available()) {
        GTEST_SKIP() << "the gsf program (libgsf-bin) is not installed";
    }
    const auto listed = GsfTool::List(file);
    ASSERT_TRUE(listed);
    EXPECT_EQ(listed->size(), after.size());
    for (const auto& [name, bytes] : after) {
        EXPECT_EQ(GsfTool::Cat(file, WideToAnsi(name)), bytes) << WideToAnsi(name);
    }
}

// Two processes save bookmarks into one storage file at the same time: every save is kept.
TEST(TBookmarkStorage, TwoProcessesSavingAtOnceLoseNoSave) {
    TempDir dir;
    const std::string file = dir.Path("shared.dsi");
    constexpr int kEach = 30;
    std::vector<pid_t> children;
    for (const char* prefix : {"left", "right"}) {
        const std::string count = std::to_string(kEach);
        char* argv[] = {const_cast<char*>(STATE_SAVER_PROCESS), const_cast<char*>(file.c_str()),
                        const_cast<char*>(prefix), const_cast<char*>(count.c_str()), nullptr};
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, STATE_SAVER_PROCESS, nullptr, nullptr, argv, environ), 0);
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto streams = AllStreams(file);
    EXPECT_EQ(streams.size(), static_cast<std::size_t>(2 * kEach + 1));
    TPointer<TBookmarksEntry> list;
    int32_t startup = 0;
    ASSERT_TRUE(TBookmarkIndex::Decode(streams.at(u"Info"), list, startup));
    ASSERT_EQ(list.Count, 2 * kEach);
    std::set<std::string> captions;
    for (const TBookmarksEntry* entry = list.Head; entry; entry = entry->Next) {
        captions.insert(entry->Name);
        EXPECT_EQ(streams.at(AnsiToWide(entry->Identifier)), std::string("state of ") + entry->Name);
    }
    EXPECT_EQ(captions.size(), static_cast<std::size_t>(2 * kEach));
    EXPECT_EQ(dir.EntryCount(), 1u) << "no temporary file left behind";
}
