#include "core/src/engine/TGraphEngine.h"

#include "core/include/VokradNotifications.h"
#include "core/src/TCoreErrorTexts.h"
#include "core/src/filters/TFilterPropertyPages.h"
#include "core/src/framework/TCoreLogFile.h"
#include "core/src/graph/TFiltersListReport.h"
#include "core/src/graph/TGraphFile.h"
#include "core/src/graph/TMediaContentReport.h"
#include "platform/media/GraphEvent.h"
#include "platform/win/Debug.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"

namespace win = plat::win;

namespace {

constexpr win::DWORD kEngineStyle = 0x86000000; // pop-up, clipping siblings and children
constexpr win::DWORD kEngineExStyle = 0x84;     // tool window, no parent notification

// The point of a mouse message: unsigned x in the low word, y in the high word.
int LowWord(win::LPARAM lParam) {
    return static_cast<int>(static_cast<std::uint32_t>(lParam) & 0xFFFF);
}
int HighWord(win::LPARAM lParam) {
    return static_cast<int>((static_cast<std::uint32_t>(lParam) >> 16) & 0xFFFF);
}

} // namespace

TGraphEngine::TGraphEngine(TCoreObject* owner, TEngineSetup setup)
    : TCoreWindow(owner), setup_(std::move(setup)), log_(TCoreLogFile::Instance()),
      capture_(context_, setup_.videoSurface), dvd_(context_), dvdEvents_(context_, dvd_),
      transport_(
          context_, dvd_, [this] { return builder_.BuildGraph(); }, [this] { builder_.ReleaseInterfaces(); }),
      states_(context_, transport_), builder_(context_, log_, description_, setup_, capture_, transport_),
      placement_(context_, setup_.videoSurface) {
    SetStyle(kEngineStyle);
    SetExStyle(kEngineExStyle);
}

TGraphEngine::~TGraphEngine() {
    builder_.ReleaseInterfaces();
}

int TGraphEngine::CreateRenderWindow() {
    const int result = CreateDefault(kWindowClass, "", 0);
    context_.window = Handle();
    return result;
}

// A variable without a name could never be told from the others: it is refused.
bool TGraphEngine::SetGraphVariable(const std::u16string& name, const std::u16string& value) {
    return description_.SetGraphVariable(name, value);
}

bool TGraphEngine::ReleaseGraph() {
    builder_.ReleaseInterfaces();
    return false;
}

bool TGraphEngine::ReportCapabilities() {
    if (context_.playState == TPlayState::NoGraph) {
        return true;
    }
    const TLocatedInterfaces& located = context_.located;
    context_.RaiseStatus(
        kStatusConfiguration,
        (located.videoWindow ? kConfigVideoWindow : 0) | (context_.DvdMode() ? kConfigDvd : 0) |
            (located.sampleGrabber ? kConfigSampleGrabber : 0) | (located.windowless ? kConfigWindowless : 0),
        0);
    context_.ChangePlayState(context_.playState);
    return true;
}

bool TGraphEngine::SeekInTitle(std::uint8_t title, std::uint32_t timeCode) {
    if (!context_.DvdMode()) {
        return transport_.SeekToTimeCode(timeCode);
    }
    return dvd_.PlayAtTimeInTitle(title, timeCode);
}

bool TGraphEngine::GetMediaName(std::u16string& name) const {
    if (!context_.mediaName) {
        return false;
    }
    name = *context_.mediaName;
    return true;
}

char16_t* TGraphEngine::FilterListText() const {
    return TFiltersListReport::Handover(context_.graph ? &context_.graph->Media() : nullptr);
}

bool TGraphEngine::ListFilters(TFilterListEntry* entries, std::uint32_t capacity,
                               std::uint32_t* count) const {
    return TFilterListing::ListFilters(context_.graph ? &context_.graph->Media() : nullptr, entries, capacity,
                                       count);
}

char16_t* TGraphEngine::MediaContentText() const {
    return TMediaContentReport::Handover(context_.graph ? &context_.graph->Media() : nullptr);
}

bool TGraphEngine::ShowFilterProperties(HWND owner, std::uint32_t number) const {
    return TFilterPropertyPages::ShowGraphFilter(context_.graph ? &context_.graph->Media() : nullptr, owner,
                                                 number);
}

std::int32_t TGraphEngine::SaveGraphToGrf(const std::u16string& file) {
    TGraphFile files(log_, TCoreLogFile::Instance());
    return files.Save(context_.graph ? &context_.graph->Media() : nullptr, file);
}

TGraphEngine::LRESULT TGraphEngine::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case TEngineContext::kGraphNotify:
        DrainGraphEvents();
        return 0;
    case win::WM_TIMER:
        OnTimer(wParam);
        break;
    case win::WM_ERASEBKGND:
        if (context_.located.videoWindow || context_.located.windowless) {
            return 1;
        }
        win::OutputDebugString("::: Erase Back Graph \n");
        break;
    case win::WM_MOUSEMOVE:
        dvd_.SelectButtonAt(LowWord(lParam), HighWord(lParam));
        ForwardToParentOwner(msg, wParam, lParam);
        break;
    case win::WM_LBUTTONDOWN:
        dvd_.ActivateButtonAt(LowWord(lParam), HighWord(lParam));
        ForwardToParentOwner(msg, wParam, lParam);
        break;
    case win::WM_LBUTTONUP:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONUP:
        ForwardToParentOwner(msg, wParam, lParam);
        break;
    default:
        break;
    }
    return TCoreWindow::WindowProc(hwnd, msg, wParam, lParam);
}

bool TGraphEngine::Resize(int cx, int cy) {
    TCoreWindow::Resize(cx, cy);
    return placement_.Windowless();
}

bool TGraphEngine::Move(int x, int y) {
    TCoreVisual::Move(x, y);
    if (Handle() != 0) {
        win::SetWindowPos(Handle(), win::HWND_BOTTOM, 0, 0, 0, 0, win::SWP_NOSIZE | win::SWP_NOACTIVATE);
    }
    return true;
}

bool TGraphEngine::Show() {
    if (placement_.Windowless()) {
        TCoreWindow::Show();
    } else {
        TCoreWindow::Hide();
    }
    return true;
}

bool TGraphEngine::Hide() {
    TCoreWindow::Hide();
    return true;
}

bool TGraphEngine::SetParentWindow(HWND parent) {
    parentWindow_ = parent;
    return TCoreWindow::SetParentWindow(parent);
}

void TGraphEngine::ForwardToParentOwner(UINT msg, WPARAM wParam, LPARAM lParam) const {
    const HWND owner = parentWindow_ != 0 ? win::GetParent(parentWindow_) : 0;
    if (owner != 0) {
        win::PostMessage(owner, msg, wParam, lParam);
    }
}

void TGraphEngine::OnTimer(WPARAM id) {
    if (id == TEngineTransport::kPositionTimer && context_.playState != TPlayState::Paused) {
        transport_.PostPosition();
    } else if (id == TEngineTransport::kSeekTimer) {
        transport_.SeekToPending();
    }
}

void TGraphEngine::DrainGraphEvents() {
    while (context_.graph) {
        const std::optional<plat::media::GraphEvent> event = context_.graph->Media().Events().TryPop();
        if (!event) {
            return;
        }
        if (event->code == plat::media::EC_COMPLETE) {
            transport_.EndOfStream();
        } else if (event->code == plat::media::EC_STEP_COMPLETE) {
            transport_.StepComplete();
        } else if (TEngineDvdEvents::IsDvdEvent(event->code)) {
            dvdEvents_.Handle(*event);
        } else if (event->code == plat::media::EC_ERRORABORT) {
            // The pipeline stopped on an error: the player tells it and stops playback.
            context_.RaiseError(TCoreErrorTexts::kGraphError, 0, static_cast<std::uint32_t>(event->param1));
        }
    }
}
