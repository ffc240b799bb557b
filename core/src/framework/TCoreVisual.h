#pragma once
// The visual part of a core window: the last position and size set through Move and Resize, a flag
// byte without meaning to the core, and the mouse handlers. A handler is bound to its owner by the
// code that sets it and receives the window object first; an empty handler counts as unset.
#include "core/src/framework/TCoreObject.h"
#include "platform/win/Types.h"

#include <cstdint>
#include <functional>
#include <type_traits>
#include <utility>

template <class Sender, class... Args> using TCoreHandler = std::function<bool(Sender& sender, Args... args)>;

class TCoreVisual : public TCoreObject {
public:
    using WPARAM = plat::win::WPARAM;

    TCoreHandler<TCoreVisual, int> OnClick;                       // button
    TCoreHandler<TCoreVisual, int> OnDoubleClick;                 // button
    TCoreHandler<TCoreVisual, WPARAM, int, int> OnMouseMove;      // keys, x, y
    TCoreHandler<TCoreVisual, int, WPARAM, int, int> OnMouseDown; // button, keys, x, y
    TCoreHandler<TCoreVisual, int, WPARAM, int, int> OnMouseUp;   // button, keys, x, y

    // Store the size (answering true) and the position (answering false).
    virtual bool Resize(int cx, int cy);
    virtual bool Move(int x, int y);

    std::uint8_t GetFlag() const { return flag_; }
    void SetFlag(std::uint8_t flag) { flag_ = flag; }

    int Top() const { return top_; }
    int Left() const { return left_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

protected:
    explicit TCoreVisual(TCoreObject* owner);

    // Calls a handler with this object as its sender; `whenUnset` answers for an empty one.
    template <class Sender, class... Args>
    static bool Fire(const TCoreHandler<Sender, Args...>& handler, bool whenUnset,
                     std::type_identity_t<Sender>& sender, std::type_identity_t<Args>... args) {
        return handler ? handler(sender, std::move(args)...) : whenUnset;
    }

private:
    int top_ = 0;
    int left_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::uint8_t flag_ = 0;
};
