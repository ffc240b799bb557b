#pragma once
// The player's video window as the start-up shows it: a top-level form whose video panel ("Pn_Video")
// is the window the core presents into. Files dropped on it go to the main form; closing it quits
// the player through the main form.
#include "platform/win/Types.h"

#include <QWidget>

class TDVDMain;

class TVideo : public QWidget {
public:
    explicit TVideo(TDVDMain& main);
    ~TVideo() override;

    // The panel's window for the core's video orders.
    plat::win::HWND PanelHandle() const { return panel_; }
    // Default size, centred on its screen.
    void ResetPosition();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TDVDMain& main_;
    QWidget* panelWidget_;
    plat::win::HWND panel_ = 0;
};
