// The main form with its forms on the offscreen platform: command frames (8-bit, UTF-16 and lying
// ones) through its published window, opening a profile by command text, an edit in the grid saved
// with Ctrl+S, the player's quit question, and style synchronisation marking the profile modified.
#include "editor/TShared.h"
#include "editor/tests/EditorTestSupport.h"
#include "editor/ui/TEventsGridModel.h"
#include "editor/ui/TEventsListing.h"
#include "editor/ui/tests/EditorFormsFixture.h"
#include "platform/text/CodePage.h"
#include "platform/win/Message.h"
#include "player/model/binding/PlayerGlobals.h"
#include "subtitles/model/TTextEvent.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/scripts/TScriptControl.h"

#include <QAction>
#include <QTableView>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace win = plat::win;

namespace {

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        shared_.SetFolders(TEditorFolders::Below(program_.Path().string()));
        ASSERT_TRUE(forms_.Make(shared_, dialogs_));
        forms_.Main->Action("Ac_NewProfile")->trigger();
        std::filesystem::create_directories(files_.Path() / "with blank");
        ASSERT_TRUE(WriteEditorFixture(files_ / "with blank/p.zds", {{1000, "one"}, {2000, "two"}}));
    }
    void TearDown() override {
        forms_.Destroy(shared_);
        DestroyPlayerGlobals();
    }
    win::LRESULT SendFrame(const std::vector<uint8_t>& frame, uint32_t delivered) {
        const win::COPYDATASTRUCT copy{0, delivered, frame.data()};
        return win::SendMessage(forms_.Main->MessageWindow().Handle(), win::WM_COPYDATA, 0,
                                reinterpret_cast<win::LPARAM>(&copy));
    }
    static std::vector<uint8_t> TextFrame(const std::string& text, int32_t length) {
        std::vector<uint8_t> frame(12);
        const int32_t magic = 102901;
        std::memcpy(frame.data(), &magic, 4);
        std::memcpy(frame.data() + 8, &length, 4);
        frame.insert(frame.end(), text.begin(), text.end());
        return frame;
    }
    void Open() {
        const std::string text = "/O:\"" + (files_ / "with blank/p.zds") + "\"";
        const auto frame = TextFrame(text + std::string(1, '\0'), static_cast<int32_t>(text.size() + 1));
        EXPECT_EQ(SendFrame(frame, static_cast<uint32_t>(frame.size())), 0);
    }

    RuntimeScope runtime_;
    TestFolder program_;
    TestFolder files_;
    TShared shared_;
    ScriptedDialogs dialogs_;
    EditorFormsFixture forms_;
};

} // namespace

TEST_F(MainFormTest, CommandFramesSetTheCaption) {
    const std::string word = std::string("/CMD:Word") + '\0';
    EXPECT_EQ(SendFrame(TextFrame(word, 10), 22), 0);
    EXPECT_EQ(forms_.Main->windowTitle(), "Word");
    const std::u16string wide = u"\uFEFF/CMD:Wide";
    std::string bytes(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    EXPECT_EQ(SendFrame(TextFrame(bytes, static_cast<int32_t>(bytes.size())),
                        12 + static_cast<uint32_t>(bytes.size())),
              0);
    EXPECT_EQ(forms_.Main->windowTitle(), "Wide");
    // A length beyond the bytes delivered is refused before anything is read.
    EXPECT_EQ(SendFrame(TextFrame("/CMD:Lie", 5000), 20), 0);
    EXPECT_EQ(forms_.Main->windowTitle(), "Wide");
}

TEST_F(MainFormTest, OpenEditAndSave) {
    Open();
    ASSERT_EQ(forms_.Listing->Model().rowCount(), 2);
    EXPECT_EQ(shared_.DocumentPath(), plat::text::AnsiToWide(files_ / "with blank/p.zds"));
    EXPECT_FALSE(forms_.Main->IsModified());
    auto* event = static_cast<TTextEvent*>(forms_.Listing->Model().EventAt(1));
    event->SetText(u"edited", false);
    TProfileCursor cursor = forms_.Listing->Cursor();
    cursor.Changed = 1;
    shared_.ItemModified(&cursor, false);
    EXPECT_TRUE(forms_.Main->IsModified());
    EXPECT_TRUE(forms_.Main->Action("Ac_Save")->isEnabled());
    forms_.Main->Action("Ac_Save")->trigger();
    EXPECT_FALSE(forms_.Main->IsModified());
    TDVDProfile reopened;
    ASSERT_TRUE(reopened.Load(shared_.DocumentPath(), true, true));
    const TSubEvents* second =
        reopened.Volumes.Head->Languages.Head->Titles.Head->Selects.Head->Script->Events.Head->Next;
    EXPECT_EQ(static_cast<const TTextEvent*>(second)->GetText(), u"edited");
}

TEST_F(MainFormTest, ThePlayersQuitQuestion) {
    forms_.Main->show();
    forms_.Main->MarkModified();
    dialogs_.Answer = IEditorDialogs::kNo;
    EXPECT_EQ(win::SendMessage(forms_.Main->MessageWindow().Handle(), TEditorWindow::kMsgPlayerRequest, 0, 0),
              0);
    EXPECT_TRUE(forms_.Main->isVisible());
    EXPECT_FALSE(forms_.Main->IsClosing());
    dialogs_.Answer = IEditorDialogs::kYes;
    EXPECT_EQ(win::SendMessage(forms_.Main->MessageWindow().Handle(), TEditorWindow::kMsgPlayerRequest, 0, 0),
              1);
    EXPECT_TRUE(forms_.Main->IsClosing());
}

TEST_F(MainFormTest, SynchronisingStylesMarksTheProfileModified) {
    dialogs_.Answer = IEditorDialogs::kYes;
    forms_.Main->Action("Ac_SyncStyles")->trigger(); // a new profile has one language: nothing changes
    EXPECT_FALSE(forms_.Main->IsModified());
    Open();
    forms_.Main->Action("Ac_SyncStyles")->trigger();
    EXPECT_TRUE(forms_.Main->IsModified());
}
