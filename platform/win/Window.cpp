// Window lifetime, the default procedure and the window's own records.
#include "platform/win/Window.h"

#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/win/HandleTable.h"
#include "platform/win/Message.h"
#include "platform/win/PeerRegistry.h"
#include "platform/win/ThreadQueue.h"
#include "platform/win/Timer.h"
#include "platform/win/WindowClassRegistry.h"

namespace plat::win {

namespace {

constexpr LRESULT kCreateFailed = -1;

std::int32_t OrZero(int value) {
    return value == CW_USEDEFAULT ? 0 : value;
}

// Copies text into a caller's buffer of `size` bytes, cut at a character boundary and terminated.
int CopyOut(std::string_view text, char* buffer, std::size_t size) {
    return static_cast<int>(text::CopyToFixedField(text, buffer, size));
}

std::size_t BufferSize(int size) {
    return size > 0 ? static_cast<std::size_t>(size) : 0;
}

// Marks the window as being destroyed; false when it is unknown or already on its way.
bool BeginDestroy(HWND hwnd) {
    bool first = false;
    HandleTable::Instance().Access(
        hwnd, [&](WindowEntry& entry) { first = !std::exchange(entry.destroying, true); });
    return first;
}

// Destroys the window's children. A child that another thread owns cannot be destroyed from here;
// it becomes a top-level window instead.
void DestroyChildren(HWND hwnd) {
    auto& table = HandleTable::Instance();
    for (const HWND child : table.ChildrenOf(hwnd)) {
        if (table.OwnedByCallingThread(child)) {
            DestroyWindow(child);
        } else {
            table.Reparent(child, 0);
        }
    }
}

std::optional<std::intptr_t> ReadLong(const WindowEntry& entry, int index) {
    switch (index) {
    case GWL_STYLE:
        return entry.style;
    case GWL_EXSTYLE:
        return entry.exStyle;
    case GWLP_USERDATA:
        return entry.userData;
    default:
        return std::nullopt;
    }
}

void WriteLong(WindowEntry& entry, int index, std::intptr_t value) {
    switch (index) {
    case GWL_STYLE:
        entry.style = static_cast<DWORD>(value);
        break;
    case GWL_EXSTYLE:
        entry.exStyle = static_cast<DWORD>(value);
        break;
    case GWLP_USERDATA:
        entry.userData = value;
        break;
    default:
        break;
    }
}

} // namespace

HWND CreateWindowEx(DWORD exStyle, std::string_view className, std::string_view title, DWORD style, int x,
                    int y, int cx, int cy, HWND parent, void* param) {
    auto& table = HandleTable::Instance();
    auto queue = ThreadQueue::Current();
    if (!queue || (parent != 0 && !table.Contains(parent))) {
        return 0; // no parent, or a thread ending
    }
    WindowEntry entry{.queue = std::move(queue),
                      .title = std::string(title),
                      .style = style,
                      .exStyle = exStyle,
                      .parent = parent,
                      .x = OrZero(x),
                      .y = OrZero(y),
                      .cx = OrZero(cx),
                      .cy = OrZero(cy)};
    WNDCLASS wc;
    HWND hwnd = 0;
    // Added while the class is held, so that UnregisterClass never misses a window of it.
    WindowClassRegistry::Instance().WithClass(className, [&](const WNDCLASS& registered) {
        wc = registered;
        entry.className = registered.lpszClassName;
        entry.proc = registered.lpfnWndProc;
        hwnd = table.Add(std::move(entry));
    });
    if (hwnd == 0) {
        return 0;
    }
    const std::string titleText(title);
    CREATESTRUCT cs{param,     wc.hInstance, parent, OrZero(cy),        OrZero(cx),
                    OrZero(y), OrZero(x),    style,  titleText.c_str(), wc.lpszClassName.c_str(),
                    exStyle};
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == kCreateFailed) {
        DestroyWindow(hwnd);
        return 0;
    }
    // The procedure may have destroyed the window while creating it.
    return IsWindow(hwnd) ? hwnd : 0;
}

bool DestroyWindow(HWND hwnd) {
    auto& table = HandleTable::Instance();
    const auto queue = table.QueueOf(hwnd);
    if (!queue || queue->OwnerThread() != std::this_thread::get_id() || !BeginDestroy(hwnd)) {
        return false;
    }
    DestroyChildren(hwnd);
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    ActiveTimerHost().DisarmAll(hwnd);
    table.Remove(hwnd);
    queue->DropWindow(hwnd);
    PeerRegistry::Instance().Unpublish(hwnd);
    return true;
}

bool IsWindow(HWND hwnd) {
    return HandleTable::Instance().Contains(hwnd);
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const char*>(lParam);
        return HandleTable::Instance().Access(hwnd,
                                              [&](WindowEntry& entry) { entry.title = text ? text : ""; });
    }
    case WM_GETTEXT:
        return CopyOut(GetWindowTextString(hwnd), reinterpret_cast<char*>(lParam), wParam);
    default:
        return 0;
    }
}

std::intptr_t SetWindowLongPtr(HWND hwnd, int index, std::intptr_t value) {
    std::intptr_t old = 0;
    HandleTable::Instance().Access(hwnd, [&](WindowEntry& entry) {
        if (const auto current = ReadLong(entry, index)) {
            old = *current;
            WriteLong(entry, index, value);
        }
    });
    return old;
}

std::intptr_t GetWindowLongPtr(HWND hwnd, int index) {
    std::intptr_t value = 0;
    HandleTable::Instance().Access(
        hwnd, [&](const WindowEntry& entry) { value = ReadLong(entry, index).value_or(0); });
    return value;
}

HWND SetParent(HWND hwnd, HWND parent) {
    return HandleTable::Instance().Reparent(hwnd, parent).value_or(0);
}

HWND GetParent(HWND hwnd) {
    HWND parent = 0;
    HandleTable::Instance().Access(hwnd, [&](const WindowEntry& entry) { parent = entry.parent; });
    return parent;
}

bool SetWindowText(HWND hwnd, std::string_view text) {
    const std::string terminated(text);
    if (!IsWindow(hwnd) || SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str())) == 0) {
        return false;
    }
    PeerRegistry::Instance().TitleChanged(hwnd);
    return true;
}

int GetWindowText(HWND hwnd, char* buffer, int size) {
    return CopyOut(GetWindowTextString(hwnd), buffer, BufferSize(size));
}

std::string GetWindowTextString(HWND hwnd) {
    std::string title;
    HandleTable::Instance().Access(hwnd, [&](const WindowEntry& entry) { title = entry.title; });
    return title;
}

int GetClassName(HWND hwnd, char* buffer, int size) {
    std::string name;
    HandleTable::Instance().Access(hwnd, [&](const WindowEntry& entry) { name = entry.className; });
    return CopyOut(name, buffer, BufferSize(size));
}

HWND FindWindow(std::string_view className, std::string_view title) {
    return HandleTable::Instance().FindFirst([&](const WindowEntry& entry) {
        return entry.parent == 0 && (className.empty() || text::EqualsNoCaseA(entry.className, className)) &&
               (title.empty() || text::EqualsNoCaseA(entry.title, title));
    });
}

std::thread::id GetWindowThread(HWND hwnd) {
    const auto queue = HandleTable::Instance().QueueOf(hwnd);
    return queue ? queue->OwnerThread() : std::thread::id{};
}

} // namespace plat::win
