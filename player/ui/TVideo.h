#pragma once
// The player's video window: a frameless top-level form with its own title bar ("Pn_Caption") over
// the video panel ("Pn_Video"), the window the core presents into; the panel paints the video surface
// the core hands it, black until then, and the background picture ("Img_Back") covers it while no
// video is shown. Files dropped on it go to the main form; the user cannot close it, it closes with the
// player. The mouse cursor hides over the video once the mouse has rested for a while, and the skin's
// windows that stand in the video (in full screen, the controls) go under the picture; moving the
// mouse over the video brings them back over it.
#include "platform/video/VideoSurface.h"
#include "platform/win/Types.h"

#include <QPoint>
#include <QWidget>

#include <cstdint>
#include <memory>

class DelayTimer;
class QVBoxLayout;
class TBackgroundImage;
class TDVDMain;
class TVideoCaption;
class TVideoPanelWindow;

class TVideo : public QWidget {
public:
    // The player's modes, which the video window holds.
    static constexpr uint8_t kModeDisc = 0;
    static constexpr uint8_t kModeFile = 1;
    // The message that shows two numbers in the title bar, "low word - high word" of lParam.
    static constexpr plat::win::UINT kMsgCaptionNumbers = 11023;
    static constexpr int kDefaultMouseHideMs = 3000;

    explicit TVideo(TDVDMain& main);
    ~TVideo() override;

    uint8_t Mode() const { return mode_; }
    void SetMode(uint8_t mode) { mode_ = mode; }

    // The panel's window for the core's video orders.
    plat::win::HWND PanelHandle() const;
    // Default size, centred on its screen.
    void ResetPosition();
    // Paints `surface` from now on (the full-screen window too); null shows the black panel again.
    void ShowSurface(std::shared_ptr<plat::video::VideoSurface> surface);
    // The title bar's text.
    QString CaptionText() const;
    // The title and chapter of a disc in the title bar, as "title - chapter".
    void ShowTitleChapter(uint32_t title, uint32_t chapter);
    // A title (kind 1) or chapter (kind 2) event of the player: in disc mode the title bar follows it.
    void OnTitleChapterChanged(intptr_t kind, intptr_t number);
    // The media file playing, by its name, in the title bar.
    void ShowMediaName(const QString& name);
    // Nothing plays: the title bar reads "Video" again and forgets the last title and chapter.
    void ResetCaption();

    // The picture shown while no video is (not owned; null for none).
    void SetBackgroundBitmap(const QImage* bitmap);
    // A state of 0 or more switches the background off (0) or on; -1 keeps it; then it is drawn.
    void UpdateBackground(int state);
    TBackgroundImage& Background() const { return *background_; }

    // The cursor hides when the mouse rests `intervalMs` over the video (when on).
    void SetMouseHide(bool on, int intervalMs);
    bool MouseHidePending() const;
    // A press on the video: the cursor shows and the hide timer stops.
    void PanelMouseDown();
    // Whether the widget under the mouse cursor is in the visible video or full-screen window.
    bool IsCursorOverVideo() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The wheel and the double click (on the window, its video and its background) run the main
    // form's functions for them.
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static plat::win::LRESULT PanelProcedure(plat::win::HWND hwnd, plat::win::UINT msg,
                                             plat::win::WPARAM wParam, plat::win::LPARAM lParam);
    void SetPanelWidget(QWidget* widget);
    void PanelClick();
    void MouseHideTimer();
    void RefreshVideo();
    void MouseMoved();
    // The skin's windows that stand in the video over the picture, or under it.
    void RaiseSkinForms(bool over);

    TDVDMain& main_;
    QVBoxLayout* layout_;
    TVideoCaption* caption_;
    QWidget* panelWidget_ = nullptr;
    TBackgroundImage* background_ = nullptr;
    std::unique_ptr<TVideoPanelWindow> panel_;
    std::unique_ptr<DelayTimer> mouseHide_;
    bool mouseHideOn_ = false;
    int mouseHideMs_ = kDefaultMouseHideMs;
    QPoint lastPointer_;
    uint32_t title_ = 0;
    uint32_t chapter_ = 0;
    uint8_t mode_ = kModeDisc;
};
