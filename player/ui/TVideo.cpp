#include "player/ui/TVideo.h"

#include "core/include/VokradNotifications.h"
#include "platform/video/VideoPanel.h"
#include "platform/win/Window.h"
#include "player/ui/TDVDMain.h"
#include "player/ui/TVideoCaption.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
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

TVideo::TVideo(TDVDMain& main) : QWidget(nullptr), main_(main), layout_(new QVBoxLayout(this)) {
    setObjectName("Video");
    setWindowTitle(TDVDMain::kCaption);
    setWindowFlag(Qt::FramelessWindowHint);
    setAcceptDrops(true);
    setMinimumSize(160, 90);
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
    layout_->addWidget(new TVideoCaption(this));
    ShowSurface(nullptr);
    if (!win::GetClassInfo(kPanelClass, nullptr)) {
        win::RegisterClass({0, &TVideo::PanelProcedure, nullptr, kPanelClass});
    }
    panel_ = win::CreateWindowEx(0, kPanelClass, "", win::WS_CHILD, 0, 0, kDefaultWidth, kDefaultHeight, 0,
                                 nullptr);
    win::SetWindowLongPtr(panel_, win::GWLP_USERDATA, reinterpret_cast<std::intptr_t>(this));
    ResetPosition();
}

// The panel window is not published, so only this process can send it the surface's address.
win::LRESULT TVideo::PanelProcedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    if (msg == kMsgCoreVideoSurface) {
        auto* video = reinterpret_cast<TVideo*>(win::GetWindowLongPtr(hwnd, win::GWLP_USERDATA));
        const auto* surface = reinterpret_cast<const std::shared_ptr<plat::video::VideoSurface>*>(lParam);
        if (video != nullptr) {
            video->ShowSurface(surface != nullptr ? *surface : nullptr);
        }
        return 0;
    }
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}

void TVideo::ShowSurface(std::shared_ptr<plat::video::VideoSurface> surface) {
    if (surface != nullptr) {
        SetPanelWidget(new plat::video::VideoPanel(std::move(surface), this));
        return;
    }
    auto* black = new QWidget(this);
    black->setAutoFillBackground(true);
    QPalette palette = black->palette();
    palette.setColor(QPalette::Window, Qt::black);
    black->setPalette(palette);
    SetPanelWidget(black);
}

void TVideo::SetPanelWidget(QWidget* widget) {
    widget->setObjectName("Pn_Video");
    if (panelWidget_ != nullptr) {
        layout_->replaceWidget(panelWidget_, widget);
        delete panelWidget_;
    } else {
        layout_->addWidget(widget);
    }
    panelWidget_ = widget;
    // A child made after its window was shown stays hidden until shown itself.
    widget->show();
}

TVideo::~TVideo() {
    if (panel_ != 0) {
        win::DestroyWindow(panel_);
    }
}

void TVideo::ResetPosition() {
    resize(kDefaultWidth, kDefaultHeight);
    if (const QScreen* shown = screen()) {
        const QRect area = shown->availableGeometry();
        move(area.center() - QPoint(kDefaultWidth / 2, kDefaultHeight / 2));
    }
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
