#pragma once
// The window the core knows a video area by: a window of our window layer whose messages go to the
// form that shows the area, kept at the size of the widget that shows it, so that the core lays the
// picture and the subtitles out for the size the user sees. The mouse over the widget reaches the
// window as the window messages of the mouse, delivered to the window's child under the pointer (the
// core's screen, which hands them to the DVD menu), so that menu buttons can be pointed at and clicked.
#include "platform/video/VideoSurface.h"
#include "platform/win/Types.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

class TVideoPanelWindow : public QObject {
public:
    using Procedure = plat::win::WNDPROC;

    // A child window of the class (registered with the procedure on first use) whose user data is
    // `owner`.
    TVideoPanelWindow(const char* className, Procedure procedure, void* owner);
    ~TVideoPanelWindow() override;
    TVideoPanelWindow(const TVideoPanelWindow&) = delete;
    TVideoPanelWindow& operator=(const TVideoPanelWindow&) = delete;

    plat::win::HWND Handle() const { return handle_; }
    // The window takes the widget's size now and whenever it changes, and the widget's mouse input.
    void Follow(QWidget* widget);

    // The widget that shows a video area: one painting the surface, or a black one before there is a
    // surface.
    static QWidget* MakePanelWidget(std::shared_ptr<plat::video::VideoSurface> surface, QWidget* parent);

    // The form a window of such a class was made for.
    template <class T> static T* Owner(plat::win::HWND hwnd);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void TakeSize(const QWidget& widget);
    // Posts the mouse event as its window message; false for events that have none.
    bool RelayMouse(const QEvent& event) const;
    static void* OwnerOf(plat::win::HWND hwnd);

    plat::win::HWND handle_ = 0;
    QPointer<QWidget> followed_;
};

template <class T> T* TVideoPanelWindow::Owner(plat::win::HWND hwnd) {
    return static_cast<T*>(OwnerOf(hwnd));
}
