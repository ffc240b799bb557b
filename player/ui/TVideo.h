#pragma once
// The player's video window: a frameless top-level form with its own title bar ("Pn_Caption") over
// the video panel ("Pn_Video"), the window the core presents into; the panel paints the video surface
// the core hands it, black until then. Files dropped on it go to the main form; the user cannot close
// it, it closes with the player.
#include "platform/video/VideoSurface.h"
#include "platform/win/Types.h"

#include <QWidget>

#include <cstdint>
#include <memory>

class QVBoxLayout;
class TDVDMain;

class TVideo : public QWidget {
public:
    // The player's modes, which the video window holds.
    static constexpr uint8_t kModeDisc = 0;
    static constexpr uint8_t kModeFile = 1;

    explicit TVideo(TDVDMain& main);
    ~TVideo() override;

    uint8_t Mode() const { return mode_; }
    void SetMode(uint8_t mode) { mode_ = mode; }

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
    // The wheel and the double click (on the window, its video and its background) run the main
    // form's functions for them.
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    static plat::win::LRESULT PanelProcedure(plat::win::HWND hwnd, plat::win::UINT msg,
                                             plat::win::WPARAM wParam, plat::win::LPARAM lParam);
    void SetPanelWidget(QWidget* widget);

    TDVDMain& main_;
    QVBoxLayout* layout_;
    QWidget* panelWidget_ = nullptr;
    plat::win::HWND panel_ = 0;
    uint8_t mode_ = kModeDisc;
};
