#include "editor/ui/wave/TWaveControl.h"
#include "editor/ui/wave/TLinkLabel.h"
#include "editor/wave/tests/WaveTestFiles.h"
#include "platform/audio/ManualWaveOut.h"
#include "platform/win/Message.h"
#include "platform/win/Timer.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

namespace audio = plat::audio;

class RecordingEditor : public IWaveEditorServices {
public:
    void SetEventTimes(int32_t startMs, int32_t endMs) override { times.emplace_back(startMs, endMs); }
    void SetWaitInfo(std::u16string_view info) override { waitInfo = info; }
    std::vector<std::pair<int32_t, int32_t>> times;
    std::u16string waitInfo;
};

class ScriptedChooser : public IWaveFileChooser {
public:
    bool ChooseWaveFile(QWidget*, std::u16string& chosen) override {
        chosen = path;
        return !path.empty();
    }
    std::u16string path;
};

// The display on a manual output and a manual timer; files of 8,000 Hz 16-bit stereo (32 bytes a
// millisecond) whose two buffers hold 10 s each.
class TWaveControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        plat::win::InstallTimerHost(&timers_);
        control_ = std::make_unique<TWaveControl>(editor_, [this] {
            auto out = std::make_unique<audio::ManualWaveOut>();
            out_ = out.get();
            return out;
        });
        control_->SetFileChooser(&chooser_);
        control_->resize(804 + control_->findChild<QScrollBar*>("Sb_Zoom")->sizeHint().width(), 200);
        control_->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        control_.reset();
        plat::win::InstallTimerHost(nullptr);
    }
    void Open(const std::u16string& path) {
        chooser_.path = path;
        control_->OpenWave();
        plat::win::DispatchPending();
    }
    void Tick() {
        timers_.Advance(TWaveControl::kTimerMs);
        plat::win::DispatchPending();
    }
    // Puts the player's position at `ms`, counting from the last seek's target `baseMs`.
    void PlayTo(int32_t baseMs, int32_t ms) {
        out_->SetPositionBytes(static_cast<uint64_t>(ms - baseMs) * 32);
    }
    QWidget* Box(const char* name) { return control_->findChild<QWidget*>(name); }
    void Click(const char* box, int x, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* widget = Box(box);
        const QPointF at(x, widget->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, modifiers);
        QApplication::sendEvent(widget, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, modifiers);
        QApplication::sendEvent(widget, &release);
        plat::win::DispatchPending();
    }
    QImage PaintedWave() {
        QImage image(Box("Pe_WaveImg")->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        control_->PaintWave(painter, image.width(), image.height());
        return image;
    }

    plat::win::ManualTimerHost timers_;
    RecordingEditor editor_;
    ScriptedChooser chooser_;
    WaveTestFolder folder_;
    audio::ManualWaveOut* out_ = nullptr;
    std::unique_ptr<TWaveControl> control_;
};

TEST_F(TWaveControlTest, CreationNamesItsPartsAndReportsToTheWaitForm) {
    EXPECT_EQ(editor_.waitInfo, u"Wave Control");
    EXPECT_EQ(control_->objectName(), "WaveControl");
    for (const char* name :
         {"Pe_WaveImg", "Sb_Zoom", "Bt_OpenWave", "Bt_Pause", "Bt_Stop", "Lb_DrawSubOnVideo",
          "Lb_FollowCursor", "Se_FileSeek", "Se_WaveSeek", "Lb_ActTime"}) {
        EXPECT_NE(Box(name), nullptr) << name;
    }
    EXPECT_EQ(control_->findChild<QLabel*>("Lb_ActTime")->text(), "--");
    EXPECT_EQ(Box("Se_FileSeek")->height(), 9);
    EXPECT_EQ(Box("Pe_WaveImg")->width(), 804);
    EXPECT_TRUE(timers_.IsArmed(control_->Handle(), TWaveControl::kTimerId));
}

TEST_F(TWaveControlTest, OpeningPlaysAndTheEnvelopeIsTheTwoQueuedBuffers) {
    Open(folder_.NumberedWave(25));
    EXPECT_EQ(control_->Player().GetState(), kWavePlaying);
    EXPECT_EQ(control_->Viewer().GetStartMs(), 0);
    EXPECT_EQ(control_->Viewer().GetLengthMs(), 20000);
    // The first buffer done: the envelope moves on to the next two.
    out_->CompleteOne();
    plat::win::DispatchPending();
    EXPECT_EQ(control_->Viewer().GetLengthMs(), 20000) << "fill counter 1 is not a new envelope";
    control_->StopWave();
    EXPECT_FALSE(control_->Viewer().HoldsEnvelope());
    EXPECT_EQ(control_->Markers().Position(), -1);
}

TEST_F(TWaveControlTest, AnEventRangeIsMarkedAndPlayedFromItsStart) {
    Open(folder_.NumberedWave(25));
    const int resets = out_->ResetCount();
    control_->SetEventRange(-1, -1);
    EXPECT_EQ(control_->Markers().Entries().Count, 0);
    EXPECT_EQ(out_->ResetCount(), resets) << "no seek without a range";
    control_->SetEventRange(5000, 7000);
    plat::win::DispatchPending();
    ASSERT_EQ(control_->Markers().Entries().Count, 1);
    EXPECT_EQ(control_->Markers().Entries().Head->StartMs, 5000);
    EXPECT_EQ(control_->Player().GetPosition(), 5000);
    control_->SetEventRange(-1, -1);
    EXPECT_EQ(control_->Markers().Entries().Count, 0);
    EXPECT_EQ(control_->Player().GetPosition(), 5000) << "playback goes on where it was";
}

TEST_F(TWaveControlTest, RepeatReturnsToTheRangeStartAtTheFirstTickPastItsEnd) {
    Open(folder_.NumberedWave(25));
    control_->SetEventRange(5000, 7000);
    control_->findChild<TLinkLabel*>("Lb_DrawSubOnVideo")->Toggle();
    ASSERT_TRUE(control_->Repeat());
    PlayTo(5000, 6950);
    Tick();
    EXPECT_EQ(control_->findChild<QLabel*>("Lb_ActTime")->text(), "0:00:06.95");
    const int resets = out_->ResetCount();
    PlayTo(5000, 7010);
    Tick();
    EXPECT_EQ(out_->ResetCount(), resets + 1);
    EXPECT_EQ(control_->Player().GetPosition(), 5000);
    EXPECT_TRUE(timers_.IsArmed(control_->Handle(), TWaveControl::kTimerId)) << "the timer runs on";
}

TEST_F(TWaveControlTest, CtrlAndAltClicksSetTheEventsStartAndEndOnTheirSideOfTheRange) {
    Open(folder_.NumberedWave(25));
    control_->SetEventRange(5000, 7000);
    plat::win::DispatchPending();
    // The envelope holds 0-20 s across 800 pixels: 25 ms a pixel.
    ASSERT_EQ(control_->Viewer().GetStartMs(), 0);
    const TWaveViewer& viewer = control_->Viewer();
    const auto timeAt = [&](int x) { return viewer.PixelsToMs(x, 800, 1.0); };
    Click("Pe_WaveImg", 320, Qt::ControlModifier); // 8 s: after the end, the start stays
    Click("Pe_WaveImg", 240, Qt::ControlModifier); // 6 s
    Click("Pe_WaveImg", 160, Qt::AltModifier);     // 4 s: before the start, the end stays
    Click("Pe_WaveImg", 360, Qt::AltModifier);     // 9 s
    EXPECT_EQ(editor_.times,
              (std::vector<std::pair<int32_t, int32_t>>{{timeAt(240), -1}, {-1, timeAt(360)}}));
    Click("Pe_WaveImg", 40);
    EXPECT_EQ(control_->Player().GetPosition(), timeAt(40)) << "a plain click plays from there";
}

TEST_F(TWaveControlTest, FollowKeepsTheCursorInViewAndStopsAtTheEndOfTheLoadedAudio) {
    Open(folder_.NumberedWave(25));
    control_->findChild<TLinkLabel*>("Lb_FollowCursor")->Toggle();
    control_->findChild<QScrollBar*>("Sb_Zoom")->setValue(4); // 5 s of the 20 s in view
    PlayTo(0, 6000);
    Tick();
    EXPECT_EQ(control_->ScrollMs(), 6000) << "the cursor at the left edge";
    PlayTo(0, 19000);
    Tick();
    EXPECT_EQ(control_->ScrollMs(), 15000) << "no further than the loaded audio allows";
    PlayTo(0, 1000);
    Tick();
    EXPECT_EQ(control_->ScrollMs(), 0);
}

TEST_F(TWaveControlTest, ClickingTheFileBarAtItsMiddleSeeksToTheMiddleOfTheFile) {
    Open(folder_.NumberedWave(60));
    const int width = Box("Se_FileSeek")->width();
    Click("Se_FileSeek", width / 2);
    EXPECT_EQ(control_->Player().GetPosition(), static_cast<int32_t>(60000.0 / width * (width / 2)));
    EXPECT_NEAR(control_->Player().GetPosition(), 30000, 60000 / width + 1);
}

TEST_F(TWaveControlTest, TheZoomBarsThumbIsTheShownShareAndDraggingItPastTheEndStopsAtTheLastScroll) {
    Open(folder_.NumberedWave(25));
    control_->findChild<QScrollBar*>("Sb_Zoom")->setValue(4);
    QWidget* bar = Box("Se_WaveSeek");
    const auto thumbColumns = [&] {
        QImage image(bar->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        control_->PaintWaveSeek(painter, image.width(), image.height());
        int count = 0;
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixel(x, 4) == qRgb(128, 128, 255) ? 1 : 0;
        }
        return count;
    };
    EXPECT_NEAR(thumbColumns(), bar->width() / 4, 1);
    // Grab the thumb at its left edge and drag far beyond the right end of the bar.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 4), bar->mapToGlobal(QPointF(1, 4)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(5000, 4), bar->mapToGlobal(QPointF(5000, 4)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    PaintedWave();
    EXPECT_EQ(control_->ScrollMs(), 15000) << "the painting clamps the scroll";
}

TEST_F(TWaveControlTest, MonoAndStereoFilesPutTheMarkersAtTheSameColumns) {
    std::vector<int> firstYellow;
    for (const char* file : {"tones.wav", "tones-mono8.wav"}) {
        Open(FixtureWave(file));
        control_->SetEventRange(2000, 3000);
        plat::win::DispatchPending();
        const QImage image = PaintedWave();
        int column = -1;
        for (int x = 0; x < image.width() && column < 0; ++x) {
            column = image.pixel(x, 2) == qRgb(255, 255, 0) ? x : -1;
        }
        firstYellow.push_back(column);
    }
    ASSERT_EQ(firstYellow.size(), 2u);
    EXPECT_GT(firstYellow[0], 0);
    EXPECT_EQ(firstYellow[0], firstYellow[1]);
}

TEST(TWaveControlRulerTest, TheTickIntervalLeavesAtLeast75PixelsBetweenTicks) {
    struct Case {
        int32_t spanMs, width, expected;
    };
    const Case cases[] = {{20000, 800, 1825}, {1000, 800, 100}, {40, 800, 50},
                          {5000, 800, 475},   {20000, 0, 50},   {600000, 1916, 23100}};
    for (const Case& c : cases) {
        EXPECT_EQ(TWaveControl::RulerInterval(c.spanMs, c.width), c.expected)
            << c.spanMs << " ms on " << c.width;
    }
}

} // namespace
