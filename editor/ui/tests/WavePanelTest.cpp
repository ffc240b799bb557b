// The wave display docked in the main form: the grid's current event is marked on the wave, and Ctrl-
// and Alt-clicks on the wave set that event's start and end in the profile and the grid.
#include "editor/TShared.h"
#include "editor/tests/EditorTestSupport.h"
#include "editor/ui/TEventsGridModel.h"
#include "editor/ui/TEventsListing.h"
#include "editor/ui/TWaveEditorLink.h"
#include "editor/ui/tests/EditorFormsFixture.h"
#include "editor/ui/wave/TWaveControl.h"
#include "editor/wave/tests/WaveTestFiles.h"
#include "platform/audio/ManualWaveOut.h"
#include "platform/win/Message.h"
#include "platform/win/Timer.h"
#include "player/model/binding/PlayerGlobals.h"
#include "subtitles/model/TSubEvents.h"
#include "subtitles/scripts/ScrUtils.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTableView>

#include <gtest/gtest.h>

namespace {

class ScriptedWaveChooser : public IWaveFileChooser {
public:
    bool ChooseWaveFile(QWidget*, std::u16string& chosen) override {
        chosen = path;
        return !path.empty();
    }
    std::u16string path;
};

class WavePanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::win::InstallTimerHost(&timers_);
        shared_.SetFolders(TEditorFolders::Below(program_.Path().string()));
        wave_ = std::make_unique<TWaveControl>(link_,
                                               [] { return std::make_unique<plat::audio::ManualWaveOut>(); });
        link_.Attach(wave_.get());
        wave_->SetFileChooser(&chooser_);
        ASSERT_TRUE(forms_.Make(shared_, dialogs_, wave_.get(), &link_));
        forms_.Main->resize(1200, 900);
        forms_.Main->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        shared_.SetViews({});
        // The wave display sits in the main window's panel: it goes before it.
        wave_.reset();
        forms_.Destroy(shared_);
        DestroyPlayerGlobals();
        plat::win::InstallTimerHost(nullptr);
    }
    void Click(int x, Qt::KeyboardModifiers modifiers) {
        QWidget* box = wave_->findChild<QWidget*>("Pe_WaveImg");
        const QPointF at(x, box->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, box->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          modifiers);
        QApplication::sendEvent(box, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, box->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, modifiers);
        QApplication::sendEvent(box, &release);
        plat::win::DispatchPending();
    }
    // The wave's time at a column of its box.
    int32_t TimeAt(int x) const {
        const int width = wave_->findChild<QWidget*>("Pe_WaveImg")->width() - 4;
        return wave_->Viewer().PixelsToMs(x, width, 1.0);
    }
    std::pair<int32_t, int32_t> MarkedRange() const {
        const TMarkerEntry* entry = wave_->Markers().Entries().Head;
        return entry != nullptr ? std::pair{entry->StartMs, entry->EndMs} : std::pair{-1, -1};
    }
    QString GridText(int row, int column) {
        return forms_.Listing->Model()
            .data(forms_.Listing->Model().index(row, column), Qt::DisplayRole)
            .toString();
    }
    static QString TimeText(int32_t ms) {
        std::string text;
        scrutils::FormatTimeMs(ms, text);
        return QString::fromStdString(text);
    }

    RuntimeScope runtime_;
    TestFolder program_;
    TestFolder files_;
    WaveTestFolder waves_;
    plat::win::ManualTimerHost timers_;
    TShared shared_;
    ScriptedDialogs dialogs_;
    ScriptedWaveChooser chooser_;
    TWaveEditorLink link_{shared_};
    EditorFormsFixture forms_;
    std::unique_ptr<TWaveControl> wave_;
};

} // namespace

TEST_F(WavePanelTest, TheDisplayIsDockedInTheWavePanel) {
    QWidget* panel = forms_.Main->findChild<QWidget*>("Pn_Wave_In");
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(wave_->parentWidget(), panel);
    EXPECT_TRUE(wave_->isVisible());
    EXPECT_EQ(MarkedRange(), std::pair(-1, -1)) << "no event in an empty grid";
}

TEST_F(WavePanelTest, TheCurrentEventIsMarkedAndClicksSetItsTimes) {
    const std::string profile = files_ / "p.zds";
    ASSERT_TRUE(WriteEditorFixture(profile, {{1000, "one"}, {2000, "two"}}));
    ASSERT_TRUE(forms_.Main->Document().LoadProfileFile(profile));
    ASSERT_EQ(forms_.Listing->Model().rowCount(), 2);
    QApplication::processEvents();
    chooser_.path = waves_.NumberedWave(25);
    wave_->OpenWave();
    plat::win::DispatchPending();
    ASSERT_EQ(wave_->Viewer().GetStartMs(), 0);

    // The second row becomes current: its event (2-3 s) is marked.
    forms_.Listing->Grid()->setCurrentIndex(forms_.Listing->Model().index(1, TEventsGridModel::kStart));
    QApplication::processEvents();
    const int row = forms_.Listing->CurrentRow();
    ASSERT_EQ(row, 1);
    EXPECT_EQ(MarkedRange(), std::pair(2000, 3000));
    EXPECT_FALSE(forms_.Main->IsModified());

    int startX = 1;
    while (TimeAt(startX) < 1000) {
        ++startX;
    }
    const int32_t start = TimeAt(startX);
    Click(startX, Qt::ControlModifier);
    int endX = startX;
    while (TimeAt(endX) < 4000) {
        ++endX;
    }
    const int32_t end = TimeAt(endX);
    Click(endX, Qt::AltModifier);

    const TSubEventRecord* record =
        forms_.Listing->Model().EventAt(forms_.Listing->CurrentRow())->GetRecord();
    EXPECT_EQ(record->start, start);
    EXPECT_EQ(record->end, end);
    EXPECT_EQ(GridText(forms_.Listing->CurrentRow(), TEventsGridModel::kStart), TimeText(start));
    EXPECT_EQ(GridText(forms_.Listing->CurrentRow(), TEventsGridModel::kEnd), TimeText(end));
    EXPECT_EQ(MarkedRange(), std::pair(start, end)) << "the wave follows the changed event";
    EXPECT_TRUE(forms_.Main->IsModified());
}
