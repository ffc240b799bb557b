#pragma once
// The editor's wave display: the author opens a WAVE file of the film's sound, hears it, sees its
// wave with a time ruler and the current event's start and end as a marked range over it, loops
// that range, and sets the event's start and end by Ctrl- and Alt-clicks on the wave. The envelope
// is built from the buffers the player has queued, so the wave shows the audio around the play
// position.
#include "editor/ui/wave/IWaveEditorServices.h"
#include "editor/ui/wave/IWaveFileChooser.h"
#include "editor/wave/TWaveMarker.h"
#include "editor/wave/TWavePlayer.h"
#include "editor/wave/TWaveViewer.h"
#include "platform/win/Types.h"

#include <QImage>
#include <QWidget>

#include <memory>

class QAction;
class QLabel;
class QMouseEvent;
class QScrollBar;
class TLinkLabel;
class TPaintBox;
class TWaveMessageWindow;

class TWaveControl : public QWidget {
public:
    static constexpr plat::win::UINT_PTR kTimerId = 1;
    static constexpr plat::win::UINT kTimerMs = 50;

    explicit TWaveControl(IWaveEditorServices& editor,
                          TWavePlayer::OutputFactory output = TWavePlayer::DefaultOutput,
                          QWidget* parent = nullptr);
    ~TWaveControl() override;

    // Marks the range (-1 and -1: none) and plays from its start.
    void SetEventRange(int32_t startMs, int32_t endMs);
    // Where the open action asks for a file (nullptr: the open dialog).
    void SetFileChooser(IWaveFileChooser* chooser);
    // The player's messages and the timer's ticks.
    plat::win::LRESULT WndProc(plat::win::UINT msg, plat::win::WPARAM wParam, plat::win::LPARAM lParam);
    plat::win::HWND Handle() const;

    // The actions of the buttons.
    void OpenWave();
    void PauseWave();
    void StopWave();

    // Painting of the three paint boxes onto any canvas of their size.
    void PaintWave(QPainter& canvas, int32_t width, int32_t height);
    void PaintWaveSeek(QPainter& canvas, int32_t width, int32_t height) const;
    void PaintFileSeek(QPainter& canvas, int32_t width, int32_t height) const;

    // The ruler's tick interval for a span shown across a width: the first of 50, 75, 100, ... ms
    // that leaves at least 75 pixels between ticks.
    static int32_t RulerInterval(int32_t spanMs, int32_t width);

    TWaveViewer& Viewer() { return viewer_; }
    TWavePlayer& Player() { return player_; }
    const TWaveMarker& Markers() const { return markers_; }
    int32_t ScrollMs() const { return scrollMs_; }
    double Zoom() const { return zoom_; }
    bool Repeat() const { return repeat_; }
    bool Follow() const { return follow_; }

private:
    void BuildComponents();
    QWidget* BuildBottomPanel();
    void ConnectHandlers();

    void OnPlayerFilled();
    void OnPlayerState();
    void TimerTick();
    // Scrolls to keep the play position in view while following.
    void FollowPosition(int32_t positionMs);
    void ZoomChanged(int position);
    void WaveMouseDown(QMouseEvent& event);
    void WaveSeekMouseDown(QMouseEvent& event);
    void WaveSeekMouseMove(QMouseEvent& event);
    void FileSeekMouseDown(QMouseEvent& event);
    void ScrollToThumb(int32_t x);

    // The parts of painting the wave.
    void PaintChannels(QPainter& canvas, int32_t width, int32_t height);
    void PaintRuler(QPainter& canvas, int32_t width, int32_t height);
    // The time at a column of the wave box.
    int32_t WaveTimeAt(int32_t x, int32_t width) const;
    int32_t ViewSpanMs() const;
    // The zoom window's thumb: first and last pixel column on a bar of `width`.
    std::pair<int32_t, int32_t> Thumb(int32_t width) const;
    void RepaintBoxes();

    IWaveEditorServices& editor_;
    TWaveViewer viewer_;
    TWavePlayer player_;
    TWaveMarker markers_;
    std::unique_ptr<TWaveMessageWindow> window_;
    IWaveFileChooser* chooser_ = nullptr;
    std::unique_ptr<IWaveFileChooser> openDialog_;

    int32_t scrollMs_ = 0;
    double zoom_ = 1.0;
    int32_t lastPosition_ = -1;
    bool redraw_ = true;
    int32_t rangeStart_ = -1;
    int32_t rangeEnd_ = -1;
    bool repeat_ = false;
    bool follow_ = false;
    QImage cache_;
    int32_t dragAnchor_ = -1;

    TPaintBox* waveImg_ = nullptr;
    QScrollBar* zoomBar_ = nullptr;
    TPaintBox* fileSeek_ = nullptr;
    TPaintBox* waveSeek_ = nullptr;
    QLabel* actTime_ = nullptr;
    TLinkLabel* repeatLink_ = nullptr;
    TLinkLabel* followLink_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* pauseAction_ = nullptr;
    QAction* stopAction_ = nullptr;
};
