#include "player/ui/TVideo.h"

#include "core/include/VokradNotifications.h"
#include "platform/win/Window.h"
#include "player/model/controllers/IVideoControl.h"
#include "player/model/hub/TPlayControl.h"
#include "player/ui/TBackgroundImage.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TFullscreen.h"
#include "player/ui/TMainFormEvents.h"
#include "player/ui/TPlayerSkin.h"
#include "player/ui/TScreenMode.h"
#include "player/ui/TVideoCaption.h"
#include "player/ui/TVideoPanelWindow.h"
#include "player/ui/skin/TSkinScript.h"
#include "player/ui/skin/buttons/DelayTimer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace win = plat::win;

namespace {

constexpr const char* kPanelClass = "TVideoPanel";
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 360;

} // namespace

TVideo::TVideo(TDVDMain& main)
    : QWidget(nullptr), main_(main), layout_(new QVBoxLayout(this)), caption_(new TVideoCaption(this)),
      panel_(std::make_unique<TVideoPanelWindow>(kPanelClass, &TVideo::PanelProcedure, this)),
      mouseHide_(DelayTimer::Create([this] { MouseHideTimer(); })) {
    setObjectName("Video");
    setWindowTitle(TDVDMain::kCaption);
    setWindowFlag(Qt::FramelessWindowHint);
    setAcceptDrops(true);
    setMinimumSize(160, 90);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(caption_);
    caption_->SetOnDoubleClick([this] { main_.SetScreenMode(TScreenMode::kToggle); });
    ShowSurface(nullptr);
    background_ = new TBackgroundImage(this, panelWidget_);
    ResetPosition();
    main_.LoadFormPosition(this);
    // Every mouse move of the program shows the cursor and restarts the wait to hide it.
    qApp->installEventFilter(this);
}

TVideo::~TVideo() {
    qApp->removeEventFilter(this);
}

win::HWND TVideo::PanelHandle() const {
    return panel_->Handle();
}

// The panel window is not published, so only this process can send it the surface's address.
win::LRESULT TVideo::PanelProcedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    auto* video = TVideoPanelWindow::Owner<TVideo>(hwnd);
    if (video == nullptr) {
        return win::DefWindowProc(hwnd, msg, wParam, lParam);
    }
    switch (msg) {
    case kMsgCoreVideoSurface: {
        const auto* surface = reinterpret_cast<const std::shared_ptr<plat::video::VideoSurface>*>(lParam);
        video->ShowSurface(surface != nullptr ? *surface : nullptr);
        return 0;
    }
    case kMsgCaptionNumbers: {
        const auto numbers = static_cast<uint32_t>(lParam);
        video->ShowTitleChapter(numbers & 0xFFFFu, numbers >> 16);
        return 0x00010001;
    }
    default:
        return win::DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

void TVideo::ShowTitleChapter(uint32_t title, uint32_t chapter) {
    caption_->Label()->setText(QString("%1 - %2").arg(title).arg(chapter));
}

void TVideo::OnTitleChapterChanged(intptr_t kind, intptr_t number) {
    if (mode_ == kModeFile) {
        return; // a file's one title says nothing: its name stays shown
    }
    const auto value = static_cast<uint32_t>(number);
    if (kind == TMainFormEvents::kTitleEvent) {
        title_ = value;
    } else if (kind == TMainFormEvents::kChapterEvent) {
        chapter_ = value;
    } else {
        return;
    }
    ShowTitleChapter(title_, chapter_);
}

void TVideo::ShowMediaName(const QString& name) {
    caption_->Label()->setText(name);
}

void TVideo::ResetCaption() {
    title_ = 0;
    chapter_ = 0;
    caption_->Label()->setText(QStringLiteral("Video"));
}

QString TVideo::CaptionText() const {
    return caption_->Label()->text();
}

void TVideo::ShowSurface(std::shared_ptr<plat::video::VideoSurface> surface) {
    if (TFullscreen* fullscreen = main_.FullscreenForm()) {
        fullscreen->ShowSurface(surface);
    }
    SetPanelWidget(TVideoPanelWindow::MakePanelWidget(std::move(surface), this));
}

void TVideo::SetPanelWidget(QWidget* widget) {
    widget->setObjectName("Pn_Video");
    if (panelWidget_ != nullptr) {
        delete layout_->replaceWidget(panelWidget_, widget); // the old panel's layout item is ours
    } else {
        layout_->addWidget(widget);
    }
    panel_->Follow(widget);
    if (background_ != nullptr) {
        background_->SetArea(widget);
    }
    delete panelWidget_;
    panelWidget_ = widget;
    // A child made after its window was shown stays hidden until shown itself.
    widget->show();
    if (background_ != nullptr) {
        background_->Update(-1);
    }
}

void TVideo::ResetPosition() {
    resize(kDefaultWidth, kDefaultHeight);
    if (const QScreen* shown = screen()) {
        const QRect area = shown->availableGeometry();
        move(area.center() - QPoint(kDefaultWidth / 2, kDefaultHeight / 2));
    }
}

void TVideo::SetBackgroundBitmap(const QImage* bitmap) {
    background_->SetBitmap(bitmap);
}

void TVideo::UpdateBackground(int state) {
    background_->Update(state);
}

void TVideo::SetMouseHide(bool on, int intervalMs) {
    mouseHideOn_ = on;
    mouseHideMs_ = intervalMs > 0 ? intervalMs : kDefaultMouseHideMs;
    if (on) {
        mouseHide_->Start(mouseHideMs_);
    } else {
        mouseHide_->Stop();
    }
}

bool TVideo::MouseHidePending() const {
    return mouseHide_->IsActive();
}

void TVideo::MouseMoved() {
    mouseHide_->Stop();
    if (mouseHideOn_) {
        mouseHide_->Start(mouseHideMs_);
    }
    main_.ShowMouseCursor(true);
    // The pointer moving over the video brings the skin's windows that stand in it over the picture
    // again; a window appearing or going under a resting pointer is no move.
    const QPoint pointer = QCursor::pos();
    if (pointer != lastPointer_ && IsCursorOverVideo()) {
        RaiseSkinForms(true);
    }
    lastPointer_ = pointer;
}

// Over the picture: the skin's in-video windows are raised over the video window of the screen mode;
// else that window is raised over them, without taking the focus.
void TVideo::RaiseSkinForms(bool over) {
    if (!over) {
        main_.SkinAnchor()->raise();
        return;
    }
    if (TPlayerSkin* skin = main_.Skin()) {
        skin->Script().ArrangeForms(TSkinScript::Arrange::Move);
    }
}

void TVideo::PanelMouseDown() {
    mouseHide_->Stop();
    main_.ShowMouseCursor(true);
}

// A click on the video brings the window forward; one on the background picture also hides the skin's
// windows that stand in the video window.
void TVideo::PanelClick() {
    raise();
    TPlayerSkin* skin = main_.Skin();
    if (background_->isVisible() && skin != nullptr) {
        skin->Script().ArrangeForms(TSkinScript::Arrange::Hide);
    }
}

// The mouse rested over the video: the cursor goes, and the picture comes over the skin's windows in it.
void TVideo::MouseHideTimer() {
    mouseHide_->Stop();
    if (IsCursorOverVideo()) {
        main_.ShowMouseCursor(false);
        RaiseSkinForms(false);
    }
}

bool TVideo::IsCursorOverVideo() const {
    const QWidget* under = QApplication::widgetAt(QCursor::pos());
    if (under == nullptr) {
        return false;
    }
    const QWidget* window = under->window();
    const TFullscreen* fullscreen = main_.FullscreenForm();
    return (window == this && isVisible()) ||
           (fullscreen != nullptr && window == fullscreen && fullscreen->isVisible());
}

bool TVideo::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        // A move reaches the window system's window first, then the widgets: it counts once.
        if (watched->isWindowType()) {
            MouseMoved();
        }
        break;
    case QEvent::MouseButtonPress:
        if (watched == panelWidget_) {
            PanelMouseDown();
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == panelWidget_) {
            PanelClick();
        }
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == panelWidget_) {
            main_.RunDoubleClickFunction();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TVideo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        main_.ShowMouseCursor(true);
    }
    // The player comes back from the task bar: its windows come back in order.
    if (event->type() == QEvent::WindowStateChange &&
        static_cast<QWindowStateChangeEvent*>(event)->oldState().testFlag(Qt::WindowMinimized) &&
        !isMinimized()) {
        main_.RestackWindows();
    }
    QWidget::changeEvent(event);
}

// The user never closes the video window; it goes with the player.
void TVideo::closeEvent(QCloseEvent* event) {
    if (main_.IsClosing()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void TVideo::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TVideo::dropEvent(QDropEvent* event) {
    std::vector<std::string> files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            files.push_back(url.toLocalFile().toStdString());
        }
    }
    main_.OnDropFiles(files);
    event->acceptProposedAction();
}

void TVideo::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta > 0) {
        main_.FormMouseWheelUp();
    } else if (delta < 0) {
        main_.FormMouseWheelDown();
    }
    event->accept();
}

void TVideo::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        main_.RunDoubleClickFunction();
    }
    event->accept();
}

void TVideo::RefreshVideo() {
    TPlayControl* play = main_.PlayControl();
    if (play != nullptr && play->Controllers().Video) {
        play->Controllers().Video->Refresh(false);
    }
}

void TVideo::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    RefreshVideo();
    if (TPlayerSkin* skin = main_.Skin()) {
        skin->Script().ArrangeForms(TSkinScript::Arrange::Move);
    }
}

void TVideo::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RefreshVideo();
    UpdateBackground(-1);
    if (TPlayerSkin* skin = main_.Skin()) {
        skin->Script().ArrangeForms(TSkinScript::Arrange::Move);
    }
}
