#include "player/ui/TVideo.h"

#include "platform/win/Window.h"
#include "player/ui/TDVDMain.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

namespace win = plat::win;

namespace {

constexpr const char* kPanelClass = "TVideoPanel";
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 360;

win::LRESULT PanelProcedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}

} // namespace

TVideo::TVideo(TDVDMain& main) : QWidget(nullptr), main_(main), panelWidget_(new QWidget(this)) {
    setObjectName("Video");
    setWindowTitle(TDVDMain::kCaption);
    setAcceptDrops(true);
    setMinimumSize(160, 90);
    panelWidget_->setObjectName("Pn_Video");
    panelWidget_->setAutoFillBackground(true);
    QPalette palette = panelWidget_->palette();
    palette.setColor(QPalette::Window, Qt::black);
    panelWidget_->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panelWidget_);
    if (!win::GetClassInfo(kPanelClass, nullptr)) {
        win::RegisterClass({0, &PanelProcedure, nullptr, kPanelClass});
    }
    panel_ = win::CreateWindowEx(0, kPanelClass, "", win::WS_CHILD, 0, 0, kDefaultWidth, kDefaultHeight, 0,
                                 nullptr);
    ResetPosition();
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

void TVideo::closeEvent(QCloseEvent* event) {
    if (main_.IsClosing()) {
        event->accept();
        return;
    }
    event->ignore();
    main_.Ac_QuitExecute();
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
