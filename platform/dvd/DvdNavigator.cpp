#include "platform/dvd/DvdNavigator.h"

#include "platform/dvd/DvdLogger.h"
#include "platform/dvd/DvdUserOperations.h"

#include <dvdnav/dvdnav_events.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plat::dvd {

namespace {

using media::E_FAIL;
using media::E_INVALIDARG;
using media::E_POINTER;
using media::Failed;
using media::GraphEvent;
using media::S_OK;
using media::VFW_E_TIMEOUT;

constexpr int kInfiniteStill = 255;

} // namespace

DvdNavigator::DvdNavigator(GstBin* bin)
    : bin_(bin), router_(bin),
      presentation_([this](const std::vector<GraphEvent>& events) { Deliver(events); }) {}

DvdNavigator::~DvdNavigator() {
    Stop();
    if (nav_ != nullptr) {
        dvdnav_close(nav_);
    }
}

void DvdNavigator::SetEventListener(DvdEventListener listener) {
    std::lock_guard lock(listenerMutex_);
    listener_ = std::move(listener);
}

void DvdNavigator::Deliver(const std::vector<GraphEvent>& events) {
    DvdEventListener listener;
    {
        std::lock_guard lock(listenerMutex_);
        listener = listener_;
    }
    if (listener) {
        for (const GraphEvent& event : events) {
            listener(event);
        }
    }
}

HResult DvdNavigator::SetDvdDirectory(const std::string& path) {
    std::lock_guard lock(mutex_);
    if (running_) {
        return media::VFW_E_WRONG_STATE;
    }
    HResult hr = E_INVALIDARG;
    std::unique_ptr<DvdDiscInfo> disc = DvdDiscInfo::Open(path, &hr);
    dvdnav_t* nav = nullptr;
    if (disc == nullptr ||
        dvdnav_open2(&nav, nullptr, &DvdLogger::NavigatorCallbacks(), path.c_str()) != DVDNAV_STATUS_OK) {
        return E_INVALIDARG;
    }
    dvdnav_set_readahead_flag(nav, 1);
    dvdnav_set_PGC_positioning_flag(nav, 1); // time searches span the whole title, not one chapter
    dvdnav_set_region_mask(nav, 0xFF);
    if (nav_ != nullptr) {
        dvdnav_close(nav_);
    }
    nav_ = nav;
    disc_ = std::move(disc);
    path_ = path;
    ended_ = false;
    reported_ = {};
    titleSet_ = 0;
    pendingTime_.reset();
    ResetRate();
    presentation_.Reset();
    return S_OK;
}

HResult DvdNavigator::GetDvdDirectory(std::string* path) const {
    if (path == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    *path = path_;
    return nav_ != nullptr ? S_OK : E_FAIL;
}

void DvdNavigator::SetHmsfTimeCodeEvents(bool on) {
    presentation_.SetTimeEvents(on);
}

HResult DvdNavigator::Start() {
    std::lock_guard lock(mutex_);
    if (!router_.Complete()) {
        return media::E_UNEXPECTED;
    }
    if (nav_ == nullptr) {
        return E_INVALIDARG;
    }
    if (!running_) {
        stopping_ = false;
        running_ = true;
        router_.ResumeWaits();
        presentation_.ResumeWaits();
        presentation_.Attach(router_.VideoOutput());
        thread_ = std::thread(&DvdNavigator::Run, this);
    }
    return S_OK;
}

void DvdNavigator::Stop() {
    {
        std::lock_guard lock(mutex_);
        if (!running_) {
            return;
        }
        stopping_ = true;
        WakeReader();
        restored_.notify_all();
    }
    router_.CancelWaits();
    presentation_.CancelWaits();
    router_.FlushStart();
    thread_.join();
    presentation_.Detach();
    std::lock_guard lock(mutex_);
    running_ = false;
    flushing_ = false;
    inStill_ = false;
}

HResult DvdNavigator::Restart() {
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    if (dvdnav_reset(nav_) != DVDNAV_STATUS_OK) {
        return E_FAIL;
    }
    if (inStill_) {
        dvdnav_still_skip(nav_);
    }
    reported_ = {};
    titleSet_ = 0;
    pendingTime_.reset();
    ResetRate();
    // No flush: every output of the graph gets the seek that leads here, and one that flushes would
    // refuse it. What was read plays out first; the demuxer carries the timeline across, as it does
    // for the disc's own jumps.
    Woken();
    return S_OK;
}

// The reading thread.

void DvdNavigator::Run() {
    std::vector<std::uint8_t> buffer(DVD_VIDEO_LB_LEN);
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (ended_) {
            commanded_.wait(lock, [this] { return stopping_ || !ended_; });
            continue;
        }
        ReadNext(lock, buffer.data());
    }
}

void DvdNavigator::ReadNext(std::unique_lock<std::mutex>& lock, std::uint8_t* buffer) {
    Work work;
    int event = DVDNAV_NOP;
    int length = 0;
    work.flushStop = std::exchange(flushing_, false);
    if (dvdnav_get_next_block(nav_, buffer, &event, &length) != DVDNAV_STATUS_OK) {
        GST_WARNING("dvd: reading failed: %s", dvdnav_err_to_string(nav_));
        ended_ = true;
        Emit(work, EC_DVD_ERROR, static_cast<std::int64_t>(DvdError::Unexpected));
        ReportChanges(work);
        work.place = CurrentPlace();
        work.placeAtEnd = true;
    } else {
        Handle(event, buffer, work);
        if (event == DVDNAV_BLOCK_OK) {
            work.blockSize = static_cast<std::size_t>(length);
        }
    }
    const std::uint64_t seen = commands_;
    lock.unlock();
    Carry(work);
    lock.lock();
    if (work.stillSeconds >= 0 && commands_ == seen && !stopping_ &&
        !WaitForCommand(lock, work.stillSeconds)) {
        dvdnav_still_skip(nav_);
    }
    if (work.drainThenSkipWait) {
        dvdnav_wait_skip(nav_);
    }
    if (work.rewindAfter != 0 && commands_ == seen && !stopping_) {
        RewindStep(lock, seen);
    }
}

// Waits out a still frame; true when a command (or the end) came first.
bool DvdNavigator::WaitForCommand(std::unique_lock<std::mutex>& lock, int stillSeconds) {
    const std::uint64_t seen = commands_;
    const auto woken = [&] { return stopping_ || commands_ != seen; };
    if (stillSeconds == kInfiniteStill) {
        commanded_.wait(lock, woken);
        return true;
    }
    return commanded_.wait_for(lock, std::chrono::seconds(stillSeconds), woken);
}

void DvdNavigator::Handle(int event, std::uint8_t* buffer, Work& work) {
    if (event != DVDNAV_BLOCK_OK && event != DVDNAV_NAV_PACKET) {
        GST_DEBUG("dvd: event %d in domain %u", event, static_cast<unsigned>(Domain()));
    }
    if (inStill_ && event != DVDNAV_STILL_FRAME) {
        inStill_ = false;
        work.stillEnds = true;
        Emit(work, EC_DVD_STILL_OFF, 0);
    }
    switch (event) {
    case DVDNAV_BLOCK_OK:
        work.block = buffer;
        break;
    case DVDNAV_STILL_FRAME: {
        if (!inStill_) {
            inStill_ = true;
            const int seconds = reinterpret_cast<const dvdnav_still_event_t*>(buffer)->length;
            work.stillStarts = true;
            work.stillSeconds = seconds;
            pci_t* pci = dvdnav_get_current_nav_pci(nav_);
            const bool buttons = pci != nullptr && pci->hli.hl_gi.btn_ns > 0;
            Emit(work, EC_DVD_STILL_ON, buttons ? 1 : 0, seconds == kInfiniteStill ? 0xFFFFFFFF : seconds);
        } else {
            work.stillSeconds = kInfiniteStill; // already shown: wait for the next command
        }
        break;
    }
    case DVDNAV_SPU_STREAM_CHANGE: {
        const auto& change = *reinterpret_cast<const dvdnav_spu_stream_change_event_t*>(buffer);
        // The event's logical number is not filled in; the machine's register is.
        const int physical = ChoosePhysical(change);
        work.subpicture = physical & 0x1F;
        work.subpictureShown = Domain() != DvdDomain::Title || (physical & 0x80) == 0;
        if (Domain() == DvdDomain::Title) {
            const int logical = ActiveSubpicture() & 0x1F;
            Emit(work, EC_DVD_SUBPICTURE_STREAM_CHANGE, logical,
                 disc_->SubpictureLanguage(titleSet_, logical));
        }
        break;
    }
    case DVDNAV_AUDIO_STREAM_CHANGE: {
        const auto& change = *reinterpret_cast<const dvdnav_audio_stream_change_event_t*>(buffer);
        if (change.physical >= 0) {
            work.audio = change.physical & 0x07;
        }
        const int logical = dvdnav_get_active_audio_stream(nav_); // the event's may still say "unset"
        if (Domain() == DvdDomain::Title && logical >= 0) {
            Emit(work, EC_DVD_AUDIO_STREAM_CHANGE, logical, disc_->AudioLanguage(titleSet_, logical));
        }
        break;
    }
    case DVDNAV_VTS_CHANGE:
        titleSet_ = reinterpret_cast<const dvdnav_vts_change_event_t*>(buffer)->new_vtsN;
        ReportChanges(work);
        break;
    case DVDNAV_CELL_CHANGE:
        SearchPendingTime(work);
        ApplyPendingState(work);
        ReportChanges(work);
        work.refreshHighlight = true;
        break;
    case DVDNAV_NAV_PACKET:
        ReportChanges(work);
        work.refreshHighlight = true;
        if (rewind_ && rewind_->landed) {
            work.rewindAfter = landedMarker_.load(); // the scan jumps before this unit's data is read
        } else {
            work.place = CurrentPlace();
            work.landing = rewind_.has_value();
            if (rewind_) {
                rewind_->landed = true;
                rewind_->landedTicks = work.place->ticks;
            }
        }
        break;
    case DVDNAV_HIGHLIGHT:
        work.refreshHighlight = true;
        break;
    case DVDNAV_SPU_CLUT_CHANGE:
        work.colourTable = true;
        std::memcpy(work.colours, buffer, sizeof work.colours);
        break;
    case DVDNAV_HOP_CHANNEL:
        // A jump the disc makes itself (a title's end, a program) needs no flush: the demuxer carries
        // the timeline on across it, and what was read before it is still shown.
        break;
    case DVDNAV_WAIT:
        work.drainThenSkipWait = true;
        break;
    case DVDNAV_STOP:
        ended_ = true;
        ReportChanges(work);
        work.place = CurrentPlace();
        work.placeAtEnd = true;
        Emit(work, EC_DVD_PLAYBACK_STOPPED, 0);
        break;
    default:
        break;
    }
}

void DvdNavigator::SearchPendingTime(Work& work) {
    std::int32_t title = 0;
    std::int32_t chapter = 0;
    if (!pendingTime_ || Domain() != DvdDomain::Title ||
        dvdnav_current_title_info(nav_, &title, &chapter) != DVDNAV_STATUS_OK ||
        static_cast<std::uint32_t>(title) != pendingTime_->title) {
        return;
    }
    if (dvdnav_time_search(nav_, static_cast<std::uint64_t>(pendingTime_->ticks)) == DVDNAV_STATUS_OK) {
        flushing_ = true;
        work.flushStart = true;
    }
    pendingTime_.reset();
}

void DvdNavigator::ApplyPendingState(Work& work) {
    std::int32_t title = 0;
    std::int32_t chapter = 0;
    if (!pendingState_ || Domain() != DvdDomain::Title ||
        dvdnav_current_title_info(nav_, &title, &chapter) != DVDNAV_STATUS_OK ||
        static_cast<std::uint32_t>(title) != pendingState_->title) {
        return;
    }
    const DvdState state = *std::exchange(pendingState_, std::nullopt);
    bool searched = dvdnav_time_search(nav_, state.ticks) == DVDNAV_STATUS_OK;
    if (!searched && state.block > 0) {
        searched = dvdnav_sector_search(nav_, state.block, SEEK_SET) == DVDNAV_STATUS_OK;
    }
    if (searched) {
        flushing_ = true;
        work.flushStart = true;
    }
    const int audio = state.audio < disc_->AudioStreamCount(titleSet_) ? state.audio : -1;
    const int subpicture = state.subpicture < disc_->SubpictureStreamCount(titleSet_) ? state.subpicture : -1;
    if (audio >= 0 || subpicture >= 0) {
        SetStreams(audio, subpicture, state.subpictureShown);
    }
    std::int32_t angle = 1;
    std::int32_t angles = 1;
    if (dvdnav_get_angle_info(nav_, &angle, &angles) == DVDNAV_STATUS_OK && state.angle != angle &&
        state.angle <= angles) {
        dvdnav_angle_change(nav_, state.angle);
    }
    restoreSucceeded_ = searched;
    ++restores_;
    restored_.notify_all();
}

int DvdNavigator::ChoosePhysical(const dvdnav_spu_stream_change_event_t& change) const {
    switch (preference_) {
    case DvdVideoPreference::PanScan:
        return change.physical_pan_scan;
    case DvdVideoPreference::Letterbox:
        return change.physical_letterbox;
    case DvdVideoPreference::Wide:
    case DvdVideoPreference::ContentDefault:
        break;
    }
    return change.physical_wide;
}

// Follows what the reading meets: allowed operations are reported at once (commands are checked
// against them); a new title or domain plays at normal speed.
void DvdNavigator::ReportChanges(Work& work) {
    const DvdPlace place = CurrentPlace();
    if (place.domain != reported_.domain || place.title != reported_.title) {
        ResetRate();
    }
    reported_.domain = place.domain;
    reported_.title = place.title;
    reported_.chapter = place.chapter;
    const std::uint32_t prohibited = Prohibited();
    if (prohibited != reported_.prohibited) {
        reported_.prohibited = prohibited;
        Emit(work, EC_DVD_VALID_UOPS_CHANGE, prohibited);
    }
}

// The place the reading is at; in a title, the time is that of the last navigation packet read.
DvdPlace DvdNavigator::CurrentPlace() const {
    DvdPlace place;
    place.domain = Domain();
    place.timeCodeFlags = TimeCodeFlags();
    std::int32_t title = 0;
    std::int32_t chapter = 0;
    if (place.domain == DvdDomain::Title &&
        dvdnav_current_title_info(nav_, &title, &chapter) == DVDNAV_STATUS_OK && title > 0) {
        place.title = static_cast<std::uint32_t>(title);
        place.chapter = static_cast<std::uint32_t>(std::max(chapter, 0));
        place.ticks = dvdnav_get_current_time(nav_);
    }
    return place;
}

void DvdNavigator::Emit(Work& work, long code, std::int64_t first, std::int64_t second) {
    work.events.push_back(GraphEvent{code, first, second, {}});
}

// Everything that touches the pipeline or the listener, done without the lock.
void DvdNavigator::Carry(Work& work) {
    if (work.flushStart) {
        router_.FlushStart();
    }
    if (work.flushStop) {
        router_.FlushStop();
    }
    if (work.colourTable) {
        router_.SendColourTable(work.colours);
    }
    if (work.audio >= 0) {
        router_.SelectAudio(work.audio);
    }
    if (work.subpicture >= 0) {
        router_.SelectSubpicture(work.subpicture);
        router_.ShowSubpictures(work.subpictureShown != 0);
    }
    if (work.stillEnds || work.flushStop) {
        router_.SendStill(false); // dvdspu keeps a still through a flush
    }
    if (work.place && work.placeAtEnd) {
        presentation_.ShowAtEnd(*work.place);
    } else if (work.place) {
        std::uint64_t marker = 0;
        router_.PushEvent(presentation_.Marker(*work.place, &marker));
        if (work.landing) {
            landedMarker_.store(marker);
        }
    }
    if (work.block != nullptr) {
        router_.PushBlock(work.block, work.blockSize); // a flush drops it, as it should
    }
    if (work.refreshHighlight) {
        RefreshHighlight();
    }
    if (work.stillStarts && router_.WaitUntilDrained()) {
        // The still picture is the last one queued: it reached the decoders, which now show it.
        router_.SendStill(true);
    }
    if (work.drainThenSkipWait) {
        router_.WaitUntilDrained();
    }
    if (work.rewindAfter != 0) {
        presentation_.WaitShown(work.rewindAfter);
    }
    Deliver(work.events);
}

void DvdNavigator::RefreshHighlight() {
    std::lock_guard order(highlightMutex_);
    DvdHighlight highlight;
    bool shown = false;
    bool changed = false;
    Work work;
    {
        std::lock_guard lock(mutex_);
        if (nav_ == nullptr) {
            return;
        }
        pci_t* pci = dvdnav_get_current_nav_pci(nav_);
        const std::uint32_t buttons = InMenu() && pci != nullptr ? pci->hli.hl_gi.btn_ns : 0;
        std::int32_t button = 0;
        dvdnav_get_current_highlight(nav_, &button);
        dvdnav_highlight_area_t area{};
        if (buttons > 0 && button > 0 && static_cast<std::uint32_t>(button) <= buttons &&
            dvdnav_get_highlight_area(pci, button, 0, &area) == DVDNAV_STATUS_OK) {
            highlight = {button, area.palette, area.sx, area.sy, area.ex, area.ey};
            shown = true;
        }
        changed = shown != reported_.highlightShown || (shown && !(highlight == reported_.highlight));
        reported_.highlight = highlight;
        reported_.highlightShown = shown;
        const std::uint32_t current = shown ? static_cast<std::uint32_t>(button) : 0;
        if (buttons != reported_.buttons || current != reported_.button) {
            reported_.buttons = buttons;
            reported_.button = current;
            Emit(work, EC_DVD_BUTTON_CHANGE, buttons, current);
        }
    }
    if (changed && shown) {
        router_.SendHighlight(highlight);
    } else if (changed) {
        router_.ResetHighlight();
    }
    Deliver(work.events);
}

// State helpers; callers hold the lock.

DvdDomain DvdNavigator::Domain() const {
    if (nav_ == nullptr || ended_) {
        return DvdDomain::Stop;
    }
    if (dvdnav_is_domain_vts(nav_)) {
        return DvdDomain::Title;
    }
    if (dvdnav_is_domain_vtsm(nav_)) {
        return DvdDomain::VideoTitleSetMenu;
    }
    if (dvdnav_is_domain_vmgm(nav_)) {
        return DvdDomain::VideoManagerMenu;
    }
    return DvdDomain::FirstPlay;
}

bool DvdNavigator::InMenu() const {
    const DvdDomain domain = Domain();
    return domain == DvdDomain::VideoManagerMenu || domain == DvdDomain::VideoTitleSetMenu;
}

std::uint32_t DvdNavigator::Prohibited() const {
    if (nav_ == nullptr || dvdnav_get_current_nav_pci(nav_) == nullptr) {
        return 0;
    }
    return DvdUserOperations::ProhibitedMask(dvdnav_get_restrictions(nav_));
}

int DvdNavigator::CurrentTitleSet() const {
    return Domain() == DvdDomain::Title ? titleSet_ : 0;
}

std::uint32_t DvdNavigator::TimeCodeFlags() const {
    DvdVideoAttributes video{};
    const bool menu = Domain() != DvdDomain::Title;
    if (disc_ == nullptr ||
        Failed(disc_->VideoAttributes(menu && titleSet_ == 0 ? 0 : titleSet_, menu, &video))) {
        return kTimeCode30Fps;
    }
    return video.frameRate == 25 ? kTimeCode25Fps : kTimeCode30Fps;
}

DvdTimeCode DvdNavigator::TimeCodeFromTicks(std::int64_t ticks) const {
    return DvdTimeCode::FromTicks(ticks, TimeCodeFlags());
}

std::int64_t DvdNavigator::TicksFromTimeCode(const DvdTimeCode& time) const {
    return time.Ticks(TimeCodeFlags());
}

// The logical subpicture stream, negative while subpictures are hidden (the stream in the low bits).
int DvdNavigator::ActiveSubpicture() const {
    return dvdnav_get_active_spu_stream(nav_);
}

HResult DvdNavigator::NeedsDisc() const {
    return nav_ != nullptr ? S_OK : VFW_E_DVD_GRAPHNOTREADY;
}

HResult DvdNavigator::NeedsTitleDomain() const {
    if (nav_ == nullptr) {
        return VFW_E_DVD_GRAPHNOTREADY;
    }
    return Domain() == DvdDomain::Title ? S_OK : VFW_E_DVD_INVALIDDOMAIN;
}

void DvdNavigator::Woken() {
    ++commands_;
    ended_ = false;
    WakeReader();
}

void DvdNavigator::WakeReader() {
    commanded_.notify_all();
    if (rewindWait_ != nullptr) {
        gst_clock_id_unschedule(rewindWait_);
    }
}

// A jump: what is queued belongs to the old place. The reading thread ends the flush with the
// first block it reads after the command.
void DvdNavigator::StartFlush() {
    if (running_ && !flushing_) {
        flushing_ = true;
        router_.FlushStart();
    }
}

// Commands.

HResult DvdNavigator::Command(std::uint32_t flag, const std::function<dvdnav_status_t()>& call) {
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    if ((Prohibited() & flag) != 0) {
        return VFW_E_DVD_OPERATION_INHIBITED;
    }
    // Any jump replaces a restore that has not reached its title yet.
    pendingState_.reset();
    if (call() != DVDNAV_STATUS_OK) {
        GST_INFO("dvd: command refused: %s", dvdnav_err_to_string(nav_));
        return E_FAIL;
    }
    // libdvdnav keeps a still it was showing across jumps and would report it again at once.
    if (inStill_) {
        dvdnav_still_skip(nav_);
    }
    StartFlush();
    Woken();
    return S_OK;
}

HResult DvdNavigator::ShowMenu(DvdMenuId menu) {
    if (static_cast<std::uint32_t>(menu) < 2 || static_cast<std::uint32_t>(menu) > 7) {
        return E_INVALIDARG;
    }
    return Command(DvdUserOperations::MenuFlag(menu),
                   [&] { return dvdnav_menu_call(nav_, static_cast<DVDMenuID_t>(menu)); });
}

HResult DvdNavigator::Resume() {
    {
        std::lock_guard lock(mutex_);
        if (nav_ != nullptr && !InMenu()) {
            return VFW_E_DVD_INVALIDDOMAIN;
        }
    }
    return Command(uop::Resume, [&] { return dvdnav_menu_call(nav_, DVD_MENU_Escape); });
}

HResult DvdNavigator::ReturnFromSubmenu() {
    return Command(uop::ReturnFromSubmenu, [&] { return dvdnav_go_up(nav_); });
}

HResult DvdNavigator::ButtonCommand(const std::function<dvdnav_status_t(pci_t*)>& call) {
    {
        std::lock_guard lock(mutex_);
        pci_t* pci = nav_ != nullptr ? dvdnav_get_current_nav_pci(nav_) : nullptr;
        if (nav_ == nullptr) {
            return VFW_E_DVD_GRAPHNOTREADY;
        }
        if (!InMenu() || pci == nullptr || pci->hli.hl_gi.btn_ns == 0) {
            return VFW_E_DVD_NO_BUTTON;
        }
        if ((Prohibited() & uop::SelectOrActivateButton) != 0) {
            return VFW_E_DVD_OPERATION_INHIBITED;
        }
        if (call(pci) != DVDNAV_STATUS_OK) {
            return E_FAIL;
        }
        Woken();
    }
    RefreshHighlight();
    return S_OK;
}

HResult DvdNavigator::SelectRelativeButton(DvdRelativeButton direction) {
    return ButtonCommand([&](pci_t* pci) {
        switch (direction) {
        case DvdRelativeButton::Upper:
            return dvdnav_upper_button_select(nav_, pci);
        case DvdRelativeButton::Lower:
            return dvdnav_lower_button_select(nav_, pci);
        case DvdRelativeButton::Left:
            return dvdnav_left_button_select(nav_, pci);
        case DvdRelativeButton::Right:
            break;
        }
        return dvdnav_right_button_select(nav_, pci);
    });
}

HResult DvdNavigator::SelectButton(std::uint32_t button) {
    return ButtonCommand([&](pci_t* pci) {
        return button >= 1 && button <= pci->hli.hl_gi.btn_ns
                   ? dvdnav_button_select(nav_, pci, static_cast<std::int32_t>(button))
                   : DVDNAV_STATUS_ERR;
    });
}

HResult DvdNavigator::ActivateButton() {
    return ButtonCommand([&](pci_t* pci) {
        const dvdnav_status_t status = dvdnav_button_activate(nav_, pci);
        StartFlush();
        return status;
    });
}

HResult DvdNavigator::SelectAndActivateButton(std::uint32_t button) {
    return ButtonCommand([&](pci_t* pci) {
        if (button < 1 || button > pci->hli.hl_gi.btn_ns) {
            return DVDNAV_STATUS_ERR;
        }
        StartFlush();
        return dvdnav_button_select_and_activate(nav_, pci, static_cast<std::int32_t>(button));
    });
}

HResult DvdNavigator::SelectAtPosition(int x, int y) {
    return ButtonCommand([&](pci_t* pci) { return dvdnav_mouse_select(nav_, pci, x, y); });
}

HResult DvdNavigator::ActivateAtPosition(int x, int y) {
    return ButtonCommand([&](pci_t* pci) {
        const dvdnav_status_t status = dvdnav_mouse_activate(nav_, pci, x, y);
        if (status == DVDNAV_STATUS_OK) {
            StartFlush();
        }
        return status;
    });
}

HResult DvdNavigator::PlayTitle(std::uint32_t title) {
    {
        std::lock_guard lock(mutex_);
        if (disc_ != nullptr && (title < 1 || title > disc_->TitleCount())) {
            return E_INVALIDARG;
        }
    }
    return Command(uop::PlayTitle, [&] { return dvdnav_title_play(nav_, static_cast<std::int32_t>(title)); });
}

HResult DvdNavigator::PlayChapterInTitle(std::uint32_t title, std::uint32_t chapter) {
    {
        std::lock_guard lock(mutex_);
        std::uint32_t chapters = 0;
        if (disc_ != nullptr &&
            (Failed(disc_->ChapterCount(title, &chapters)) || chapter < 1 || chapter > chapters)) {
            return E_INVALIDARG;
        }
    }
    return Command(uop::PlayChapter, [&] {
        return dvdnav_part_play(nav_, static_cast<std::int32_t>(title), static_cast<std::int32_t>(chapter));
    });
}

HResult DvdNavigator::PlayChapter(std::uint32_t chapter) {
    {
        std::lock_guard lock(mutex_);
        if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
            return hr;
        }
        std::uint32_t chapters = 0;
        if (Failed(disc_->ChapterCount(reported_.title, &chapters)) || chapter < 1 || chapter > chapters) {
            return E_INVALIDARG;
        }
    }
    return Command(uop::PlayChapterOrAtTime,
                   [&] { return dvdnav_part_search(nav_, static_cast<std::int32_t>(chapter)); });
}

HResult DvdNavigator::PlayAtTimeInTitle(std::uint32_t title, const DvdTimeCode& time) {
    std::uint32_t flag = uop::PlayTitleOrAtTime;
    {
        std::lock_guard lock(mutex_);
        if (disc_ == nullptr) {
            return VFW_E_DVD_GRAPHNOTREADY;
        }
        if (title < 1 || title > disc_->TitleCount()) {
            return E_INVALIDARG;
        }
        std::int32_t current = 0;
        std::int32_t chapter = 0;
        if (Domain() == DvdDomain::Title &&
            dvdnav_current_title_info(nav_, &current, &chapter) == DVDNAV_STATUS_OK &&
            static_cast<std::uint32_t>(current) == title) {
            flag = uop::PlayChapterOrAtTime;
        }
        std::uint64_t* ends = nullptr;
        std::uint64_t duration = 0;
        const std::uint32_t chapters =
            dvdnav_describe_title_chapters(nav_, static_cast<std::int32_t>(title), &ends, &duration);
        std::free(ends);
        if (chapters == 0 || TicksFromTimeCode(time) >= static_cast<std::int64_t>(duration)) {
            return E_INVALIDARG;
        }
    }
    return Command(flag, [&] {
        std::int32_t current = 0;
        std::int32_t chapter = 0;
        const bool inTitle = Domain() == DvdDomain::Title &&
                             dvdnav_current_title_info(nav_, &current, &chapter) == DVDNAV_STATUS_OK &&
                             static_cast<std::uint32_t>(current) == title;
        const std::int64_t ticks = TicksFromTimeCode(time);
        pendingTime_.reset();
        if (inTitle) {
            return dvdnav_time_search(nav_, static_cast<std::uint64_t>(ticks));
        }
        if (dvdnav_title_play(nav_, static_cast<std::int32_t>(title)) != DVDNAV_STATUS_OK) {
            return DVDNAV_STATUS_ERR;
        }
        // libdvdnav searches only once it entered the title.
        if (dvdnav_time_search(nav_, static_cast<std::uint64_t>(ticks)) != DVDNAV_STATUS_OK) {
            pendingTime_ = PendingTimeSearch{title, ticks};
        }
        return DVDNAV_STATUS_OK;
    });
}

HResult DvdNavigator::PlayAtTime(const DvdTimeCode& time) {
    std::uint32_t title = 0;
    {
        std::lock_guard lock(mutex_);
        if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
            return hr;
        }
        std::int32_t current = 0;
        std::int32_t chapter = 0;
        if (dvdnav_current_title_info(nav_, &current, &chapter) != DVDNAV_STATUS_OK || current < 1) {
            return E_FAIL;
        }
        title = static_cast<std::uint32_t>(current);
    }
    return PlayAtTimeInTitle(title, time);
}

HResult DvdNavigator::PlayNextChapter() {
    {
        std::lock_guard lock(mutex_);
        if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
            return hr;
        }
    }
    return Command(uop::PlayNextChapter, [&] { return dvdnav_next_pg_search(nav_); });
}

HResult DvdNavigator::PlayPrevChapter() {
    {
        std::lock_guard lock(mutex_);
        if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
            return hr;
        }
    }
    return Command(uop::PlayPrevOrReplayChapter, [&] { return dvdnav_prev_pg_search(nav_); });
}

HResult DvdNavigator::ReplayChapter() {
    {
        std::lock_guard lock(mutex_);
        if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
            return hr;
        }
    }
    return Command(uop::PlayPrevOrReplayChapter, [&] { return dvdnav_top_pg_search(nav_); });
}

HResult DvdNavigator::StopPlayback() {
    return Command(uop::Stop, [&] { return dvdnav_stop(nav_); });
}

HResult DvdNavigator::PlayForwards(double speed) {
    return ChangeRate(uop::PlayForwards, speed);
}

HResult DvdNavigator::PlayBackwards(double speed) {
    return ChangeRate(uop::PlayBackwards, -speed);
}

// The new rate starts where the picture is: the reading goes back there and the flush lets the
// timelines start over at that rate.
HResult DvdNavigator::ChangeRate(std::uint32_t flag, double rate) {
    if (!std::isfinite(rate) || rate == 0.0 || (flag == uop::PlayForwards) != (rate > 0.0)) {
        return E_INVALIDARG;
    }
    {
        std::lock_guard lock(mutex_);
        if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
            return hr;
        }
    }
    return Command(flag, [&] {
        const std::int64_t shown = ShownTicksInTitle();
        const std::int64_t from = shown >= 0 ? shown : dvdnav_get_current_time(nav_);
        ResetRate();
        if (rate > 0.0) {
            router_.SetRate(rate);
        } else {
            media::GstRef<GstClock> clock = PictureClock();
            const GstClockTime now = gst_clock_get_time(clock.get());
            rewind_ = Rewind{-rate, from, std::move(clock), now};
        }
        pendingTime_.reset();
        return dvdnav_time_search(nav_, static_cast<std::uint64_t>(from));
    });
}

void DvdNavigator::ResetRate() {
    rewind_.reset();
    router_.SetRate(1.0);
}

// Once the picture should have moved back past the unit shown last, jumps to where it should be by
// now; the title's start ends the scan. The wait is on the picture's clock, so that a picture that runs
// slow or fast (another clock) is scanned at its own pace.
void DvdNavigator::RewindStep(std::unique_lock<std::mutex>& lock, std::uint64_t seen) {
    if (!rewind_) {
        return;
    }
    const double passing = static_cast<double>(rewind_->fromTicks - rewind_->landedTicks + 1) /
                           (rewind_->speed * kDvdTicksPerSecond);
    const media::GstRef<GstClock> clock = rewind_->clock;
    const GstClockTime since = rewind_->since;
    GstClockID wait = gst_clock_new_single_shot_id(
        clock.get(), since + static_cast<GstClockTime>(std::max(passing, 0.0) * GST_SECOND));
    rewindWait_ = wait; // a command or the end unschedules it
    lock.unlock();
    const GstClockReturn waited = gst_clock_id_wait(wait, nullptr);
    lock.lock();
    rewindWait_ = nullptr;
    gst_clock_id_unref(wait);
    if (waited == GST_CLOCK_UNSCHEDULED || stopping_ || commands_ != seen || !rewind_) {
        return; // a command or the end came first
    }
    const double elapsed =
        static_cast<double>(GST_CLOCK_DIFF(since, gst_clock_get_time(clock.get()))) / GST_SECOND;
    const auto travelled = static_cast<std::int64_t>(rewind_->speed * elapsed * kDvdTicksPerSecond);
    std::int64_t target = std::min(rewind_->fromTicks - travelled, rewind_->landedTicks - 1);
    if (target <= 0) {
        ResetRate();
        target = 0;
    } else {
        rewind_->landed = false;
    }
    if (dvdnav_time_search(nav_, static_cast<std::uint64_t>(target)) != DVDNAV_STATUS_OK) {
        GST_INFO("dvd: backward scan stopped: %s", dvdnav_err_to_string(nav_));
        ResetRate();
        return;
    }
    StartFlush();
}

media::GstRef<GstClock> DvdNavigator::PictureClock() const {
    GstClock* clock = gst_element_get_clock(GST_ELEMENT(bin_));
    return media::GstRef<GstClock>::Adopt(clock != nullptr ? clock : gst_system_clock_obtain());
}

std::int64_t DvdNavigator::ShownTicksInTitle() const {
    const DvdPlace shown = presentation_.Shown();
    std::int32_t title = 0;
    std::int32_t chapter = 0;
    if (Domain() != DvdDomain::Title ||
        dvdnav_current_title_info(nav_, &title, &chapter) != DVDNAV_STATUS_OK ||
        shown.domain != DvdDomain::Title || shown.title != static_cast<std::uint32_t>(title)) {
        return -1;
    }
    return shown.ticks;
}

// Streams are chosen by running a SetSTN command in the navigator's machine: it updates the stream
// registers that the disc's own programs read, and libdvdnav then reports the change, which switches
// the demuxer branches. A negative number leaves that stream as it is.
HResult DvdNavigator::SetStreams(int audio, int subpicture, bool shown) {
    std::int32_t button = 0;
    dvdnav_get_current_highlight(nav_, &button);
    vm_cmd_t command{};
    command.bytes[0] = 0x51; // Set System: SetSTN
    command.bytes[3] = audio >= 0 ? static_cast<std::uint8_t>(0x80 | audio) : 0;
    command.bytes[4] =
        subpicture >= 0 ? static_cast<std::uint8_t>(0x80 | (shown ? 0x40 : 0) | subpicture) : 0;
    if (dvdnav_button_activate_cmd(nav_, button > 0 ? button : 1, &command) != DVDNAV_STATUS_OK) {
        return E_FAIL;
    }
    Woken();
    return S_OK;
}

HResult DvdNavigator::SelectAudioStream(std::uint32_t stream) {
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
        return hr;
    }
    if ((Prohibited() & uop::SelectAudioStream) != 0) {
        return VFW_E_DVD_OPERATION_INHIBITED;
    }
    if (stream >= disc_->AudioStreamCount(titleSet_)) {
        return E_INVALIDARG;
    }
    return SetStreams(static_cast<int>(stream), -1, false);
}

HResult DvdNavigator::SelectSubpictureStream(std::uint32_t stream) {
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
        return hr;
    }
    if ((Prohibited() & uop::SelectSubpictureStream) != 0) {
        return VFW_E_DVD_OPERATION_INHIBITED;
    }
    if (stream >= disc_->SubpictureStreamCount(titleSet_)) {
        return E_INVALIDARG;
    }
    return SetStreams(-1, static_cast<int>(stream), ActiveSubpicture() >= 0);
}

HResult DvdNavigator::SetSubpictureState(bool shown) {
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
        return hr;
    }
    if ((Prohibited() & uop::SelectSubpictureStream) != 0) {
        return VFW_E_DVD_OPERATION_INHIBITED;
    }
    if (disc_->SubpictureStreamCount(titleSet_) == 0) {
        return E_FAIL;
    }
    return SetStreams(-1, ActiveSubpicture() & 0x1F, shown);
}

HResult DvdNavigator::SelectAngle(std::uint32_t angle) {
    {
        std::lock_guard lock(mutex_);
        if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
            return hr;
        }
        std::int32_t current = 0;
        std::int32_t angles = 0;
        if (dvdnav_get_angle_info(nav_, &current, &angles) != DVDNAV_STATUS_OK || angle < 1 ||
            angle > static_cast<std::uint32_t>(angles)) {
            return E_INVALIDARG;
        }
    }
    return Command(uop::SelectAngle,
                   [&] { return dvdnav_angle_change(nav_, static_cast<std::int32_t>(angle)); });
}

HResult DvdNavigator::SetState(const DvdState& state, std::chrono::milliseconds wait) {
    std::uint64_t applied = 0;
    {
        std::lock_guard lock(mutex_);
        std::uint32_t chapters = 0;
        if (disc_ == nullptr) {
            return VFW_E_DVD_GRAPHNOTREADY;
        }
        if (state.title < 1 || state.title > disc_->TitleCount() ||
            Failed(disc_->ChapterCount(state.title, &chapters)) || state.chapter < 1 ||
            state.chapter > chapters) {
            return E_INVALIDARG;
        }
        applied = restores_;
    }
    // A saved place is the player's own: the disc's prohibitions do not apply to it.
    const HResult hr = Command(0, [&] {
        const dvdnav_status_t status = dvdnav_part_play(nav_, state.title, state.chapter);
        if (status == DVDNAV_STATUS_OK) {
            pendingState_ = state;
        }
        return status;
    });
    if (Failed(hr) || wait <= std::chrono::milliseconds::zero()) {
        return hr;
    }
    std::unique_lock lock(mutex_);
    if (!restored_.wait_for(lock, wait,
                            [&] { return stopping_ || !pendingState_ || restores_ != applied; }) ||
        restores_ == applied) {
        return VFW_E_TIMEOUT;
    }
    return restoreSucceeded_ ? S_OK : E_FAIL;
}

HResult DvdNavigator::SelectVideoModePreference(DvdVideoPreference preference) {
    if (static_cast<std::uint32_t>(preference) > 3) {
        return E_INVALIDARG;
    }
    std::lock_guard lock(mutex_);
    if ((Prohibited() & uop::SelectVideoModePreference) != 0) {
        return VFW_E_DVD_OPERATION_INHIBITED;
    }
    preference_ = preference;
    return S_OK;
}

// Information.

HResult DvdNavigator::GetCurrentDomain(DvdDomain* domain) const {
    if (domain == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    *domain = Domain();
    return NeedsDisc();
}

HResult DvdNavigator::GetCurrentLocation(DvdLocation* location) const {
    if (location == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    const DvdPlace shown = presentation_.Shown();
    *location = {};
    location->timeCodeFlags = shown.timeCodeFlags;
    if (shown.domain != DvdDomain::Title) {
        return S_OK;
    }
    location->title = shown.title;
    location->chapter = shown.chapter;
    location->time = DvdTimeCode::FromTicks(shown.ticks, shown.timeCodeFlags);
    return S_OK;
}

HResult DvdNavigator::GetTotalTitleTime(DvdTimeCode* time, std::uint32_t* flags) const {
    if (time == nullptr || flags == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    // The title the picture shows; before it shows one, the title being read.
    const DvdPlace shown = presentation_.Shown();
    std::int32_t title = static_cast<std::int32_t>(shown.title);
    std::int32_t chapter = 0;
    if (title == 0) {
        if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
            return hr;
        }
        if (dvdnav_current_title_info(nav_, &title, &chapter) != DVDNAV_STATUS_OK) {
            return E_FAIL;
        }
    }
    std::uint64_t* ends = nullptr;
    std::uint64_t duration = 0;
    if (dvdnav_describe_title_chapters(nav_, title, &ends, &duration) == 0) {
        return E_FAIL;
    }
    std::free(ends);
    *time = TimeCodeFromTicks(static_cast<std::int64_t>(duration));
    *flags = TimeCodeFlags();
    return S_OK;
}

HResult DvdNavigator::GetCurrentAudio(std::uint32_t* available, std::uint32_t* current) const {
    if (available == nullptr || current == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    *available = disc_->AudioStreamCount(CurrentTitleSet());
    const int active = Domain() == DvdDomain::Title ? dvdnav_get_active_audio_stream(nav_) : 0;
    *current = static_cast<std::uint32_t>(std::max(active, 0));
    return S_OK;
}

HResult DvdNavigator::GetCurrentSubpicture(std::uint32_t* available, std::uint32_t* current,
                                           bool* disabled) const {
    if (available == nullptr || current == nullptr || disabled == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    *available = disc_->SubpictureStreamCount(CurrentTitleSet());
    const int active = Domain() == DvdDomain::Title ? ActiveSubpicture() : 0;
    *current = static_cast<std::uint32_t>(active & 0x1F);
    *disabled = active < 0;
    return S_OK;
}

HResult DvdNavigator::GetCurrentAngle(std::uint32_t* available, std::uint32_t* current) const {
    if (available == nullptr || current == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    std::int32_t angle = 1;
    std::int32_t angles = 1;
    if (Domain() != DvdDomain::Title || dvdnav_get_angle_info(nav_, &angle, &angles) != DVDNAV_STATUS_OK) {
        angle = angles = 1;
    }
    *available = static_cast<std::uint32_t>(angles);
    *current = static_cast<std::uint32_t>(angle);
    return S_OK;
}

HResult DvdNavigator::GetCurrentButton(std::uint32_t* available, std::uint32_t* current) const {
    if (available == nullptr || current == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    pci_t* pci = dvdnav_get_current_nav_pci(nav_);
    std::int32_t button = 0;
    dvdnav_get_current_highlight(nav_, &button);
    *available = InMenu() && pci != nullptr ? pci->hli.hl_gi.btn_ns : 0;
    *current = *available > 0 ? static_cast<std::uint32_t>(std::max(button, 0)) : 0;
    return S_OK;
}

HResult DvdNavigator::GetCurrentUOPS(std::uint32_t* prohibited) const {
    if (prohibited == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    *prohibited = Prohibited();
    return NeedsDisc();
}

HResult DvdNavigator::GetState(DvdState* state) const {
    if (state == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsTitleDomain(); Failed(hr)) {
        return hr;
    }
    std::int32_t title = 0;
    std::int32_t chapter = 0;
    if (dvdnav_current_title_info(nav_, &title, &chapter) != DVDNAV_STATUS_OK || title < 1 || chapter < 1) {
        return E_FAIL;
    }
    DvdState saved;
    saved.title = static_cast<std::uint16_t>(title);
    const DvdPlace shown = presentation_.Shown();
    const bool shownHere =
        shown.domain == DvdDomain::Title && shown.title == saved.title && shown.chapter >= 1;
    saved.chapter =
        static_cast<std::uint16_t>(shownHere ? shown.chapter : static_cast<std::uint32_t>(chapter));
    const std::int64_t ticks = shownHere ? shown.ticks : dvdnav_get_current_time(nav_);
    saved.ticks = static_cast<std::uint64_t>(std::max<std::int64_t>(ticks, 0));
    std::uint32_t block = 0;
    std::uint32_t blocks = 0;
    if (dvdnav_get_position(nav_, &block, &blocks) == DVDNAV_STATUS_OK) {
        saved.block = block;
    }
    const int audio = dvdnav_get_active_audio_stream(nav_);
    saved.audio = audio >= 0 ? static_cast<std::uint8_t>(audio & 0x07) : DvdState::kNoAudio;
    if (disc_->SubpictureStreamCount(titleSet_) > 0) {
        const int subpicture = ActiveSubpicture();
        saved.subpicture = static_cast<std::uint8_t>(subpicture & 0x1F);
        saved.subpictureShown = subpicture >= 0;
    }
    std::int32_t angle = 1;
    std::int32_t angles = 1;
    if (dvdnav_get_angle_info(nav_, &angle, &angles) == DVDNAV_STATUS_OK && angle >= 1) {
        saved.angle = static_cast<std::uint8_t>(angle);
    }
    *state = saved;
    return S_OK;
}

HResult DvdNavigator::GetCurrentVideoAttributes(DvdVideoAttributes* video) const {
    if (video == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    const bool menu = Domain() != DvdDomain::Title;
    return disc_->VideoAttributes(Domain() == DvdDomain::VideoManagerMenu ? 0 : titleSet_, menu, video);
}

HResult DvdNavigator::GetTitleAttributes(std::uint32_t title, DvdMenuAttributes* menu,
                                         DvdTitleAttributes* attributes) const {
    if (menu == nullptr || attributes == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    return disc_->TitleAttributes(title, menu, attributes);
}

HResult DvdNavigator::GetDvdVolumeInfo(std::uint32_t* volumes, std::uint32_t* volume, std::uint32_t* side,
                                       std::uint32_t* titles) const {
    if (volumes == nullptr || volume == nullptr || side == nullptr || titles == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    *volumes = 1;
    *volume = 1;
    *side = 1;
    *titles = disc_->TitleCount();
    return S_OK;
}

HResult DvdNavigator::GetNumberOfChapters(std::uint32_t title, std::uint32_t* chapters) const {
    if (chapters == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    return disc_->ChapterCount(title, chapters);
}

HResult DvdNavigator::GetChapterTimes(std::uint32_t title, std::vector<std::uint64_t>* starts) const {
    if (starts == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    if (title < 1 || title > disc_->TitleCount()) {
        return E_INVALIDARG;
    }
    std::uint64_t* ends = nullptr;
    std::uint64_t duration = 0;
    const std::uint32_t count =
        dvdnav_describe_title_chapters(nav_, static_cast<std::int32_t>(title), &ends, &duration);
    if (count == 0) {
        return E_FAIL;
    }
    starts->assign(1, 0);
    for (std::uint32_t i = 0; i + 1 < count; ++i) {
        starts->push_back(ends[i] * 1000 / kDvdTicksPerSecond);
    }
    std::free(ends);
    return S_OK;
}

HResult DvdNavigator::GetDiscId(const std::string& path, std::uint64_t* id) const {
    if (id == nullptr) {
        return E_POINTER;
    }
    if (!path.empty()) {
        HResult hr = E_INVALIDARG;
        const std::unique_ptr<DvdDiscInfo> disc = DvdDiscInfo::Open(path, &hr);
        if (disc != nullptr) {
            *id = disc->DiscId();
        }
        return hr;
    }
    std::lock_guard lock(mutex_);
    if (const HResult hr = NeedsDisc(); Failed(hr)) {
        return hr;
    }
    *id = disc_->DiscId();
    return S_OK;
}

} // namespace plat::dvd
