#pragma once
// The window level of the core's windows: registers the window class, creates the window, ties it
// to this object and turns its messages into the virtual operations below, which call the owner's
// handlers. Destroying the object destroys its window.
#include "core/src/framework/TCoreVisual.h"
#include "platform/win/Types.h"

#include <cstdint>
#include <string_view>

class TCoreWindowRoot : public TCoreVisual {
public:
    using HWND = plat::win::HWND;
    using UINT = plat::win::UINT;
    using DWORD = plat::win::DWORD;
    using LPARAM = plat::win::LPARAM;
    using LRESULT = plat::win::LRESULT;

    TCoreHandler<TCoreWindowRoot> OnClose;
    TCoreHandler<TCoreWindowRoot> OnDestroy;
    TCoreHandler<TCoreWindowRoot> OnShow;
    TCoreHandler<TCoreWindowRoot> OnHide;
    TCoreHandler<TCoreWindowRoot, WPARAM, int, int> OnMouseHover; // keys, x, y
    TCoreHandler<TCoreWindowRoot, WPARAM, int, int> OnMouseLeave;
    TCoreHandler<TCoreWindowRoot, WPARAM, int, int> OnMouseEnter;
    TCoreHandler<TCoreWindowRoot> OnPaint;
    TCoreHandler<TCoreWindowRoot, int, int> OnMove; // x, y
    TCoreHandler<TCoreWindowRoot, int, int> OnSize; // cx, cy
    TCoreHandler<TCoreWindowRoot, bool> OnActivate;

    ~TCoreWindowRoot() override;

    // Size and position through SetWindowPos; stored and true on success, false without a window.
    bool Resize(int cx, int cy) override;
    bool Move(int x, int y) override;

    // Mouse capture while a button is down, then the owner's OnMouseDown / OnMouseUp.
    virtual bool ButtonDown(int button, WPARAM keys, int x, int y);
    virtual bool ButtonUp(int button, WPARAM keys, int x, int y);

    // Registers the class when needed and creates the window tied to this object: 0 when the window
    // is tied, -1 when the class cannot be registered or a window exists already, else the answer
    // of CreateFailed().
    virtual int Create(DWORD exStyle, std::string_view className, std::string_view title, DWORD style, int x,
                       int y, int cx, int cy, HWND parent, void* param);

    virtual LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    virtual bool GetText(char* buffer, int size);
    virtual bool SetText(std::string_view text);
    virtual bool Show();
    virtual bool Hide();
    virtual bool IsVisible();
    virtual bool CreateFailed();
    virtual bool Closing();
    virtual bool Destroying();
    virtual bool Shown();
    virtual bool Hidden();
    virtual bool Moving(int x, int y);
    virtual bool Sizing(int cx, int cy);
    virtual bool Activated(bool active);
    virtual bool MouseMoved(WPARAM keys, int x, int y);
    virtual bool DoubleClicked(int button, WPARAM keys, int x, int y);
    virtual bool Clicked(int button, WPARAM keys, int x, int y);
    virtual bool MouseEntered(WPARAM keys, int x, int y);
    virtual bool MouseLeft(WPARAM keys, int x, int y);
    virtual bool MouseHovered(WPARAM keys, int x, int y);
    virtual bool Paint();
    virtual bool EraseBackground(WPARAM hdc);
    virtual bool SetParentWindow(HWND parent);

    HWND Handle() const { return handle_; }
    DWORD Style() const { return style_; }
    DWORD ExStyle() const { return exStyle_; }
    UINT ClassStyle() const { return classStyle_; }
    bool IsTopmost() const { return topmost_; }
    bool IsLeftButtonDown() const { return leftButton_; }
    bool IsMouseInside() const { return mouseInside_; }

    // Minimum tracking size: an override that is not negative wins over the base value.
    void SetMinimumTrack(int baseWidth, int widthOverride, int baseHeight, int heightOverride);

    // Hover time asked of the mouse tracking.
    static constexpr DWORD kHoverMs = 250;

protected:
    explicit TCoreWindowRoot(TCoreObject* owner);

    void SetStyle(DWORD style) { style_ = style; }
    void SetExStyle(DWORD exStyle) { exStyle_ = exStyle; }
    void SetClassStyle(UINT classStyle) { classStyle_ = classStyle; }

private:
    // The procedure of every core window class.
    static LRESULT ClassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    bool RegisterClassOnce(std::string_view className) const;
    void DestroyWindowOfObject();
    void MouseButton(UINT msg, WPARAM keys, int x, int y);
    bool PositionChanging(plat::win::WINDOWPOS& pos);
    void FillMinMaxInfo(plat::win::MINMAXINFO& info) const;

    HWND handle_ = 0;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    UINT classStyle_ = 0;
    bool leftButton_ = false;
    bool mouseInside_ = false;
    bool topmost_ = false;
    int minTrackWidth_ = 0;
    int minTrackWidthOverride_ = 0;
    int minTrackHeight_ = 0;
    int minTrackHeightOverride_ = 0;
};
