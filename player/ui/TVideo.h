#pragma once
// The player's video window: a frameless top-level form with its own title bar ("Pn_Caption") over
// the video panel ("Pn_Video"), the window the core presents into; the panel paints the video surface
// the core hands it, black until then. Files dropped on it go to the main form; the user cannot close
// it, it closes with the player.
#include "platform/video/VideoSurface.h"
#include "platform/win/Types.h"

#include <QWidget>

#include <memory>

class QVBoxLayout;
class TDVDMain;

class TVideo : public QWidget {
public:
    explicit TVideo(TDVDMain& main);
    ~TVideo() override;

    // The panel's window for the core's video orders.
    plat::win::HWND PanelHandle() const { return panel_; }
    // Default size, centred on its screen.
    void ResetPosition();
    // Paints `surface` from now on; null shows the black panel again.
    void ShowSurface(std::shared_ptr<plat::video::VideoSurface> surface);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    static plat::win::LRESULT PanelProcedure(plat::win::HWND hwnd, plat::win::UINT msg,
                                             plat::win::WPARAM wParam, plat::win::LPARAM lParam);
    void SetPanelWidget(QWidget* widget);

    TDVDMain& main_;
    QVBoxLayout* layout_;
    QWidget* panelWidget_ = nullptr;
    plat::win::HWND panel_ = 0;
};
