#include "editor/ui/wave/TWaveControl.h"

#include "editor/ui/wave/TLinkLabel.h"
#include "editor/ui/wave/TPaintBox.h"
#include "editor/ui/wave/TWaveFileDialog.h"
#include "editor/ui/wave/TWaveMessageWindow.h"
#include "platform/win/Timer.h"
#include "platform/win/Window.h"
#include "subtitles/scripts/ScrUtils.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace win = plat::win;

namespace {

const QColor kFormColour(242, 244, 241);
const QColor kWaveBackground(146, 148, 145);
const QColor kFooter(178, 180, 177);
const QColor kBar(114, 116, 113);
const QColor kThumb(128, 128, 255);
const QColor kRulerPen(82, 84, 81);
constexpr int kBottomPanelHeight = 36;
constexpr int kSeekBarHeight = 9;
constexpr int kRulerHeight = 20;
constexpr int kMaxZoom = 200;

// GDI's Rectangle: a black outline around the fill, covering left..right-1 and top..bottom-1.
void OutlinedRect(QPainter& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
                  const QColor& fill) {
    canvas.setPen(Qt::black);
    canvas.setBrush(fill);
    canvas.drawRect(left, top, right - left - 1, bottom - top - 1);
    canvas.setBrush(Qt::NoBrush);
}

void CentreLine(QPainter& canvas, int32_t width, int32_t top, int32_t bottom) {
    canvas.setPen(Qt::red);
    const int32_t y = (top + bottom) / 2;
    canvas.drawLine(0, y, width, y);
}

void FillBox(QPainter& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
             const QColor& colour) {
    if (right > left && bottom > top) {
        canvas.fillRect(left, top, right - left, bottom - top, colour);
    }
}

QString TimeText(int32_t ms) {
    std::string text;
    scrutils::FormatTimeMs(ms, text);
    return QString::fromStdString(text);
}

QToolButton* ActionButton(const char* name, QAction* action, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly); // the glyph only, no caption
    return button;
}

} // namespace

TWaveControl::TWaveControl(IWaveEditorServices& editor, TWavePlayer::OutputFactory output, QWidget* parent)
    : QWidget(parent), editor_(editor), player_(std::move(output)) {
    editor_.SetWaitInfo(u"Wave Control");
    setObjectName("WaveControl");
    window_ =
        std::make_unique<TWaveMessageWindow>([this](win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
            return WndProc(msg, wParam, lParam);
        });
    openDialog_ = std::make_unique<TWaveFileDialog>();
    chooser_ = openDialog_.get();
    BuildComponents();
    ConnectHandlers();
    player_.SetNotifyWindow(window_->Handle());
    player_.SetBufferCount(2);
    win::SetTimer(window_->Handle(), kTimerId, kTimerMs);
}

// The player stops before the window its messages go to is destroyed.
TWaveControl::~TWaveControl() {
    player_.Stop();
}

win::HWND TWaveControl::Handle() const {
    return window_->Handle();
}

void TWaveControl::BuildComponents() {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kFormColour);
    setPalette(colours);
    setAutoFillBackground(true);

    openAction_ = new QAction(tr("Open Wave File"), this);
    openAction_->setObjectName("Ac_OpenWave");
    openAction_->setToolTip(tr("Open a WAV File"));
    openAction_->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    pauseAction_ = new QAction(tr("Pause"), this);
    pauseAction_->setObjectName("Ac_Pause");
    pauseAction_->setToolTip(tr("Pause/Resume Playback"));
    pauseAction_->setIcon(style()->standardIcon(QStyle::SP_MediaPause));
    stopAction_ = new QAction(tr("Stop Wave Playback"), this);
    stopAction_->setObjectName("Ac_Stop");
    stopAction_->setToolTip(tr("Stop Wav Playback"));
    stopAction_->setIcon(style()->standardIcon(QStyle::SP_MediaStop));

    waveImg_ = new TPaintBox("Pe_WaveImg", this);
    waveImg_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    zoomBar_ = new QScrollBar(Qt::Vertical, this);
    zoomBar_->setObjectName("Sb_Zoom");
    zoomBar_->setRange(1, kMaxZoom);
    zoomBar_->setValue(1);

    auto* wavePanel = new QHBoxLayout;
    wavePanel->setContentsMargins(0, 0, 0, 0);
    wavePanel->setSpacing(0);
    wavePanel->addWidget(waveImg_);
    wavePanel->addWidget(zoomBar_);
    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(0);
    form->addLayout(wavePanel, 1);
    form->addWidget(BuildBottomPanel());
}

QWidget* TWaveControl::BuildBottomPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName("Pn_Bottom");
    panel->setFixedHeight(kBottomPanelHeight);
    fileSeek_ = new TPaintBox("Se_FileSeek", panel);
    fileSeek_->setFixedHeight(kSeekBarHeight);
    waveSeek_ = new TPaintBox("Se_WaveSeek", panel);
    waveSeek_->setFixedHeight(kSeekBarHeight);
    auto* bars = new QVBoxLayout;
    bars->setSpacing(2);
    bars->addWidget(fileSeek_);
    bars->addWidget(waveSeek_);
    repeatLink_ = new TLinkLabel("Lb_DrawSubOnVideo", tr("Rep"), panel);
    followLink_ = new TLinkLabel("Lb_FollowCursor", tr("Foll."), panel);
    followLink_->setToolTip(tr("Follow Cursor"));
    actTime_ = new QLabel("--", panel);
    actTime_->setObjectName("Lb_ActTime");
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(2, 0, 2, 0);
    row->addWidget(ActionButton("Bt_OpenWave", openAction_, panel));
    row->addWidget(ActionButton("Bt_Pause", pauseAction_, panel));
    row->addWidget(ActionButton("Bt_Stop", stopAction_, panel));
    row->addLayout(bars, 1);
    row->addWidget(repeatLink_);
    row->addWidget(followLink_);
    row->addWidget(actTime_);
    return panel;
}

void TWaveControl::ConnectHandlers() {
    connect(openAction_, &QAction::triggered, this, [this] { OpenWave(); });
    connect(pauseAction_, &QAction::triggered, this, [this] { PauseWave(); });
    connect(stopAction_, &QAction::triggered, this, [this] { StopWave(); });
    connect(zoomBar_, &QScrollBar::valueChanged, this, [this](int position) { ZoomChanged(position); });
    waveImg_->OnPaint([this](QPainter& canvas) { PaintWave(canvas, waveImg_->width(), waveImg_->height()); });
    waveImg_->OnMouseDown([this](QMouseEvent& event) { WaveMouseDown(event); });
    waveSeek_->OnPaint(
        [this](QPainter& canvas) { PaintWaveSeek(canvas, waveSeek_->width(), waveSeek_->height()); });
    waveSeek_->OnMouseDown([this](QMouseEvent& event) { WaveSeekMouseDown(event); });
    waveSeek_->OnMouseMove([this](QMouseEvent& event) { WaveSeekMouseMove(event); });
    waveSeek_->OnMouseUp([this](QMouseEvent&) { dragAnchor_ = -1; });
    fileSeek_->OnPaint(
        [this](QPainter& canvas) { PaintFileSeek(canvas, fileSeek_->width(), fileSeek_->height()); });
    fileSeek_->OnMouseDown([this](QMouseEvent& event) { FileSeekMouseDown(event); });
    repeatLink_->OnToggle([this](bool on) { repeat_ = on; });
    followLink_->OnToggle([this](bool on) { follow_ = on; });
}

void TWaveControl::SetFileChooser(IWaveFileChooser* chooser) {
    chooser_ = chooser != nullptr ? chooser : openDialog_.get();
}

void TWaveControl::SetEventRange(int32_t startMs, int32_t endMs) {
    markers_.RemoveMarkers(-1);
    rangeStart_ = startMs;
    rangeEnd_ = endMs;
    if (startMs < 0 || endMs < 0) {
        return;
    }
    markers_.AddMarker(startMs, endMs, 0);
    player_.Seek(startMs);
    waveImg_->update();
}

win::LRESULT TWaveControl::WndProc(win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    if (msg == WM_WAVE_FILLED && wParam == 0) {
        OnPlayerFilled();
    } else if (msg == WM_WAVE_STATE) {
        OnPlayerState();
    } else if (msg == win::WM_TIMER && wParam == kTimerId) {
        TimerTick();
    }
    return win::DefWindowProc(Handle(), msg, wParam, lParam);
}

// The envelope becomes the two queued buffers: the one playing and the next.
void TWaveControl::OnPlayerFilled() {
    player_.Lock();
    plat::audio::WaveFormat format;
    int32_t lengthMs = 0;
    if (player_.GetFormat(&format, &lengthMs)) {
        const uint8_t* data = nullptr;
        int32_t startMs = -1;
        const int32_t bytes = player_.GetBlock(0, &data, &startMs);
        viewer_.Feed(data, bytes, format, startMs, false);
        const int32_t nextBytes = player_.GetBlock(1, &data, &startMs);
        if (nextBytes > 0) {
            viewer_.Feed(data, nextBytes, format, -1, true);
        }
    }
    player_.Unlock();
    redraw_ = true;
    RepaintBoxes();
}

void TWaveControl::OnPlayerState() {
    redraw_ = true;
    markers_.SetPosition(player_.GetPosition());
    RepaintBoxes();
}

void TWaveControl::RepaintBoxes() {
    waveImg_->update();
    waveSeek_->update();
    fileSeek_->update();
}

void TWaveControl::OpenWave() {
    scrollMs_ = 0;
    std::u16string path;
    if (!chooser_->ChooseWaveFile(this, path)) {
        return;
    }
    viewer_.Clear();
    player_.SetNotifyWindow(Handle());
    player_.Open(path.c_str(), 0, 0);
    redraw_ = true;
    waveImg_->update();
    waveSeek_->update();
}

void TWaveControl::PauseWave() {
    player_.TogglePause();
}

void TWaveControl::StopWave() {
    player_.Stop();
    viewer_.Clear();
    redraw_ = true;
    markers_.SetPosition(-1);
    RepaintBoxes();
}

void TWaveControl::ZoomChanged(int position) {
    zoom_ = position;
    redraw_ = true;
    waveImg_->update();
    waveSeek_->update();
}

// The timer stays off while a tick runs, so that a slow tick never piles up behind itself.
void TWaveControl::TimerTick() {
    win::KillTimer(Handle(), kTimerId);
    const int32_t position = player_.GetPosition();
    lastPosition_ = position;
    markers_.SetPosition(position);
    if (repeat_ && rangeEnd_ >= 0 && position > rangeEnd_) {
        player_.Seek(rangeStart_);
    } else {
        actTime_->setText(TimeText(position));
        if (player_.GetState() == kWavePlaying) {
            FollowPosition(position);
            fileSeek_->update();
            waveImg_->update();
        }
    }
    win::SetTimer(Handle(), kTimerId, kTimerMs);
}

void TWaveControl::FollowPosition(int32_t positionMs) {
    if (!follow_ || !viewer_.HoldsEnvelope()) {
        return;
    }
    const int32_t span = ViewSpanMs();
    const int32_t offset = positionMs - viewer_.GetStartMs();
    const int32_t before = scrollMs_;
    if (offset > scrollMs_ + span) {
        scrollMs_ = std::min(offset, viewer_.GetLengthMs() - span);
    } else if (offset < scrollMs_) {
        scrollMs_ = 0;
    }
    if (scrollMs_ != before) {
        waveSeek_->update();
        redraw_ = true;
    }
}

int32_t TWaveControl::ViewSpanMs() const {
    return static_cast<int32_t>(viewer_.GetLengthMs() / zoom_);
}

int32_t TWaveControl::WaveTimeAt(int32_t x, int32_t width) const {
    return viewer_.PixelsToMs(x, width, zoom_) + viewer_.GetStartMs() + scrollMs_;
}

// Ctrl sets the event's start and Alt its end, each only on its side of the marked range;
// a plain click plays from there.
void TWaveControl::WaveMouseDown(QMouseEvent& event) {
    if (event.button() != Qt::LeftButton || !viewer_.HoldsEnvelope()) {
        return;
    }
    const int32_t time = WaveTimeAt(static_cast<int32_t>(event.position().x()), waveImg_->width() - 4);
    if (event.modifiers() & Qt::ControlModifier) {
        if (rangeEnd_ >= 0 && time < rangeEnd_) {
            editor_.SetEventTimes(time, -1);
        }
    } else if (event.modifiers() & Qt::AltModifier) {
        if (rangeStart_ >= 0 && time > rangeStart_) {
            editor_.SetEventTimes(-1, time);
        }
    } else {
        player_.Seek(time);
    }
}

std::pair<int32_t, int32_t> TWaveControl::Thumb(int32_t width) const {
    const int32_t x1 = viewer_.MsToPixels(scrollMs_, width, 1.0);
    return {x1, x1 + static_cast<int32_t>(width / zoom_)};
}

void TWaveControl::WaveSeekMouseDown(QMouseEvent& event) {
    dragAnchor_ = -1;
    if (event.button() != Qt::LeftButton || !viewer_.HoldsEnvelope()) {
        return;
    }
    const int32_t width = waveSeek_->width();
    const auto x = static_cast<int32_t>(event.position().x());
    const auto [x1, x2] = Thumb(width);
    if (x >= x1 && x < x2) {
        dragAnchor_ = x - x1;
    } else if (viewer_.GetLengthMs() != 0) {
        dragAnchor_ = static_cast<int32_t>(width / (zoom_ * 2));
        ScrollToThumb(x);
    }
}

void TWaveControl::WaveSeekMouseMove(QMouseEvent& event) {
    if (!(event.buttons() & Qt::LeftButton)) {
        dragAnchor_ = -1;
        return;
    }
    if (dragAnchor_ >= 0) {
        ScrollToThumb(static_cast<int32_t>(event.position().x()));
    }
}

// The painting clamps the scroll to the audio held and the thumb follows on the next paint.
void TWaveControl::ScrollToThumb(int32_t x) {
    scrollMs_ = std::max(0, viewer_.PixelsToMs(x - dragAnchor_, waveSeek_->width(), 1.0));
    redraw_ = true;
    waveImg_->update();
    waveSeek_->update();
}

void TWaveControl::FileSeekMouseDown(QMouseEvent& event) {
    const int32_t lengthMs = player_.GetLengthMs();
    if (event.button() != Qt::LeftButton || lengthMs <= 0 || fileSeek_->width() <= 0) {
        return;
    }
    player_.Seek(
        static_cast<int32_t>(static_cast<double>(lengthMs) / fileSeek_->width() * event.position().x()));
}

void TWaveControl::PaintWave(QPainter& canvas, int32_t width, int32_t height) {
    const int32_t waveHeight = height - kRulerHeight;
    if (!viewer_.HoldsEnvelope()) {
        OutlinedRect(canvas, 0, 0, width, waveHeight, kWaveBackground);
        OutlinedRect(canvas, 0, height - 21, width, height, kFooter);
        return;
    }
    PaintChannels(canvas, width, waveHeight);
    markers_.Paint(canvas, QRect(0, 1, width, waveHeight - 2), viewer_.GetStartMs() + scrollMs_,
                   ViewSpanMs());
    OutlinedRect(canvas, 0, height - 21, width, height, kFooter);
    PaintRuler(canvas, width, height);
}

// Two channels are drawn into the cache when something changed and copied from it otherwise; one
// channel is drawn on every paint.
void TWaveControl::PaintChannels(QPainter& canvas, int32_t width, int32_t waveHeight) {
    if (viewer_.GetChannels() != 2) {
        OutlinedRect(canvas, 0, 0, width, waveHeight, kWaveBackground);
        CentreLine(canvas, width, 4, waveHeight - 4);
        viewer_.PaintChannel(canvas, 1, scrollMs_, 2, 1, width - 2, waveHeight - 1, zoom_);
        return;
    }
    if (redraw_ || cache_.size() != QSize(width, waveHeight)) {
        cache_ = QImage(std::max(width, 1), std::max(waveHeight, 1), QImage::Format_RGB32);
        cache_.fill(kFormColour);
        QPainter painter(&cache_);
        const int32_t half = waveHeight / 2;
        OutlinedRect(painter, 0, 0, width, half, kWaveBackground);
        OutlinedRect(painter, 0, half, width, waveHeight, kWaveBackground);
        CentreLine(painter, width, 4, half);
        CentreLine(painter, width, half, waveHeight - 4);
        viewer_.PaintChannel(painter, 1, scrollMs_, 2, 1, width - 2, half - 1, zoom_);
        viewer_.PaintChannel(painter, 2, scrollMs_, 2, half + 1, width - 2, waveHeight - 1, zoom_);
        redraw_ = false;
    }
    canvas.drawImage(0, 0, cache_);
}

int32_t TWaveControl::RulerInterval(int32_t spanMs, int32_t width) {
    int32_t interval = 50;
    if (width <= 0) {
        return interval; // no ruler to draw
    }
    while (spanMs / interval != 0 && width / (spanMs / interval) < 75) {
        interval += 25;
    }
    return interval;
}

// A tick and its time wherever the time crosses a multiple of the interval.
void TWaveControl::PaintRuler(QPainter& canvas, int32_t width, int32_t height) {
    const int32_t rulerWidth = width - 4;
    const int32_t interval = RulerInterval(viewer_.PixelsToMs(rulerWidth, rulerWidth, zoom_), rulerWidth);
    QFont font = canvas.font();
    font.setPointSize(6);
    canvas.setFont(font);
    canvas.setPen(kRulerPen);
    int32_t previous = 0;
    for (int32_t x = 2; x <= width - 2; ++x) {
        const int32_t ticks = WaveTimeAt(x, rulerWidth) / interval;
        if (x != 2 && ticks != previous) {
            canvas.setPen(kRulerPen);
            canvas.drawLine(x, height - 19, x, height - 14);
            canvas.setPen(Qt::black);
            canvas.drawText(QRect(x, height - 14, 200, 14), Qt::AlignLeft | Qt::AlignTop,
                            TimeText(interval * ticks));
        }
        previous = ticks;
    }
}

void TWaveControl::PaintWaveSeek(QPainter& canvas, int32_t width, int32_t height) const {
    if (!viewer_.HoldsEnvelope() || zoom_ == 0) {
        FillBox(canvas, 0, 0, width, height, kBar);
        return;
    }
    const auto [x1, x2] = Thumb(width);
    FillBox(canvas, 0, 0, x1 + 1, height, kBar);
    FillBox(canvas, x2 - 1, 0, width, height, kBar);
    FillBox(canvas, x1, 0, x2, height, kThumb);
}

void TWaveControl::PaintFileSeek(QPainter& canvas, int32_t width, int32_t height) const {
    const int32_t lengthMs = player_.GetLengthMs();
    if (lengthMs <= 0) {
        return;
    }
    const auto played = static_cast<int32_t>(static_cast<double>(width) / lengthMs * lastPosition_);
    FillBox(canvas, played - 1, 0, width, height, kBar);
    FillBox(canvas, 0, 0, played, height, kThumb);
}
