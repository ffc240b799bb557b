#include "player/scripting/remote/TPlugIns.h"

#include "foundation/IniFile.h"
#include "platform/text/Path.h"
#include "platform/win/Debug.h"
#include "platform/win/Library.h"
#include "platform/win/Message.h"
#include "player/scripting/remote/PluginAnswerCopy.h"
#include "player/scripting/remote/PluginEventMessage.h"
#include "player/scripting/remote/PluginHostCallback.h"

#include <algorithm>
#include <bit>
#include <filesystem>
#include <fnmatch.h>

std::shared_ptr<TPlugIns> TPlugIns::Create() {
    return std::shared_ptr<TPlugIns>(new TPlugIns());
}

TPlugIns::~TPlugIns() {
    if (worker_.joinable()) {
        {
            std::lock_guard state(stateLock_);
            keepRunning_ = false;
        }
        workerChanged_.notify_all();
        if (worker_.get_id() == std::this_thread::get_id()) {
            worker_.detach();
        } else {
            worker_.join();
        }
    }
    std::lock_guard list(listLock_);
    ClearGroups();
    items_.clear();
}

void TPlugIns::SetMainWindow(plat::win::HWND window) {
    mainWindow_ = window;
}

void TPlugIns::SetCommandRunner(CommandRunner runner) {
    runner_ = std::move(runner);
}

void TPlugIns::SetStallTimeout(std::chrono::milliseconds timeout) {
    stallTimeout_ = timeout;
}

std::string TPlugIns::ProgramPlugInsFolder() {
    const std::string program = plat::win::ProgramFolder();
    return plat::text::path::FindNoCase(program, kFolderName)
        .value_or(plat::text::path::Join(program, kFolderName));
}

int32_t TPlugIns::Scan(const char* folder) {
    if (folder == nullptr) {
        return -1;
    }
    {
        std::lock_guard state(stateLock_);
        if (!ended_ || stalled_) {
            return -1;
        }
    }
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        std::error_code typeError;
        if (entry.is_regular_file(typeError) && fnmatch(kFilePattern, name.c_str(), FNM_CASEFOLD) == 0) {
            paths.push_back(entry.path().string());
        }
    }
    std::sort(paths.begin(), paths.end());
    std::lock_guard list(listLock_);
    ClearGroups();
    items_.clear();
    for (const std::string& path : paths) {
        auto item = std::make_unique<TPlugInsItems>();
        item->SetFile(this, path.c_str());
        items_.push_back(std::move(item));
    }
    cursor_ = 0;
    return static_cast<int32_t>(items_.size());
}

int32_t TPlugIns::Start(const char* settingsFile) {
    if (settingsFile == nullptr || quitting_.load()) {
        return 0;
    }
    Stop();
    {
        std::lock_guard state(stateLock_);
        if (stalled_) {
            return 0;
        }
        starting_ = true;
        ended_ = false;
        keepRunning_ = true;
    }
    commandsOpen_ = true;
    worker_ = std::thread(
        [self = shared_from_this(), settings = std::string(settingsFile)] { self->WorkerRun(settings); });
    if (!ServeUntil([this] { return !starting_; })) {
        Abandon();
        return 0;
    }
    return count_.load();
}

int32_t TPlugIns::Stop() {
    if (!worker_.joinable()) {
        return 0;
    }
    commandsOpen_ = false;
    {
        std::lock_guard state(stateLock_);
        keepRunning_ = false;
        CancelCommand();
    }
    workerChanged_.notify_all();
    mainChanged_.notify_all();
    if (!ServeUntil([this] { return ended_; })) {
        Abandon();
        return 0;
    }
    worker_.join();
    return count_.load();
}

void TPlugIns::SetQuitting() {
    quitting_ = true;
    commandsOpen_ = false;
    {
        std::lock_guard state(stateLock_);
        CancelCommand();
    }
    mainChanged_.notify_all();
}

int32_t TPlugIns::DispatchPlayerEvent(int32_t event, int32_t a, int32_t b, int32_t /*c*/) {
    const auto message = PluginMessageForEvent(event, a, b);
    if (!message) {
        return 0;
    }
    std::lock_guard groups(groupsLock_);
    int32_t posted = 0;
    for (const TPlugInsItems* item : groups_[static_cast<std::size_t>(std::countr_zero(message->group))]) {
        if (plat::win::PostMessage(item->Window(), message->message, message->wParam, message->lParam)) {
            ++posted;
        }
    }
    return posted;
}

TPlugInsItems* TPlugIns::First() {
    cursor_ = 0;
    return Next();
}

TPlugInsItems* TPlugIns::Next() {
    return cursor_ < items_.size() ? items_[cursor_++].get() : nullptr;
}

bool TPlugIns::Lock() {
    return listLock_.try_lock_for(stallTimeout_);
}

void TPlugIns::Unlock() {
    listLock_.unlock();
}

void TPlugIns::LockGroups() {
    groupsLock_.lock();
}

void TPlugIns::UnlockGroups() {
    groupsLock_.unlock();
}

int32_t TPlugIns::ExecuteCommand(TPlugInsItems* item, const char16_t* text, int32_t length, int32_t* consumed,
                                 char16_t* answer, int32_t* answerSize) {
    if (item == nullptr || text == nullptr || length < 0 || !commandsOpen_.load() || quitting_.load()) {
        return 0;
    }
    std::lock_guard command(commandLock_);
    std::unique_lock state(stateLock_);
    if (!commandsOpen_.load() || quitting_.load()) {
        return 0;
    }
    const uint64_t serial = shared_.serial + 1;
    shared_ = TPlugsSharedData{};
    shared_.serial = serial;
    shared_.state = TPlugsSharedData::State::Posted;
    shared_.command.assign(text, static_cast<std::size_t>(length));
    state.unlock();
    mainChanged_.notify_all();
    const bool posted = plat::win::PostMessage(mainWindow_, kCommandMessage, 0, 0);
    state.lock();
    if (!posted && shared_.state == TPlugsSharedData::State::Posted) {
        shared_.state = TPlugsSharedData::State::Cancelled;
    }
    mainChanged_.wait(state, [this] {
        return shared_.state == TPlugsSharedData::State::Done ||
               shared_.state == TPlugsSharedData::State::Cancelled;
    });
    int32_t result = 0;
    if (shared_.state == TPlugsSharedData::State::Done) {
        result = shared_.result;
        const int32_t capacity = answerSize != nullptr ? *answerSize : 0;
        const int32_t written =
            CopyPluginAnswer(shared_.answer, answerSize != nullptr ? answer : nullptr, capacity);
        if (answerSize != nullptr) {
            *answerSize = written;
        }
        if (consumed != nullptr) {
            *consumed = static_cast<int32_t>(
                std::min<std::size_t>(shared_.consumed, static_cast<std::size_t>(length)));
        }
    }
    shared_.state = TPlugsSharedData::State::Idle;
    shared_.command = std::u16string();
    shared_.answer = std::u16string();
    return result;
}

bool TPlugIns::RunPendingCommand() {
    std::unique_lock state(stateLock_);
    if (shared_.state != TPlugsSharedData::State::Posted) {
        return false;
    }
    shared_.state = TPlugsSharedData::State::Running;
    const uint64_t serial = shared_.serial;
    const std::u16string command = shared_.command;
    state.unlock();
    std::size_t consumed = 0;
    std::u16string answer;
    const int32_t result = runner_ ? runner_(command, consumed, answer) : 0;
    state.lock();
    if (shared_.state == TPlugsSharedData::State::Running && shared_.serial == serial) {
        shared_.result = result;
        shared_.consumed = consumed;
        shared_.answer = std::move(answer);
        shared_.state = TPlugsSharedData::State::Done;
        state.unlock();
        mainChanged_.notify_all();
    }
    return true;
}

std::string TPlugIns::StalledPlugIn() const {
    std::lock_guard state(stateLock_);
    return stalledPlugIn_;
}

void TPlugIns::WorkerRun(std::string settingsFile) {
    LoadEnabled(settingsFile);
    std::unique_lock state(stateLock_);
    starting_ = false;
    mainChanged_.notify_all();
    workerChanged_.wait(state, [this] { return !keepRunning_; });
    state.unlock();
    UnloadAll();
    state.lock();
    ended_ = true;
    mainChanged_.notify_all();
}

void TPlugIns::LoadEnabled(const std::string& settingsFile) {
    std::lock_guard list(listLock_);
    ClearGroups();
    IniFile settings;
    if (!settingsFile.empty()) {
        settings.Load(settingsFile.c_str());
    }
    int32_t loaded = 0;
    for (const auto& item : items_) {
        const bool enabled = settings.ReadInteger(kSettingsSection, item->BaseName(), 0) == 1;
        SetBusyWith(item.get());
        if (enabled && !item->Loaded() && item->Load(0)) {
            item->BindCallback(&PluginHostCallback);
            std::lock_guard groups(groupsLock_);
            for (std::size_t bit = 0; bit < groups_.size(); ++bit) {
                if ((item->GroupMask() & (1u << bit)) != 0) {
                    groups_[bit].push_back(item.get());
                }
            }
        } else if (!enabled && item->Loaded()) {
            item->Unload();
        }
        loaded += item->Loaded() ? 1 : 0;
    }
    SetBusyWith(nullptr);
    count_ = loaded;
}

void TPlugIns::UnloadAll() {
    std::lock_guard list(listLock_);
    ClearGroups();
    int32_t unloaded = 0;
    for (const auto& item : items_) {
        if (item->Loaded()) {
            SetBusyWith(item.get());
            item->Unload();
            ++unloaded;
        }
    }
    SetBusyWith(nullptr);
    count_ = unloaded;
}

void TPlugIns::ClearGroups() {
    std::lock_guard groups(groupsLock_);
    for (auto& group : groups_) {
        group.clear();
    }
}

void TPlugIns::SetBusyWith(const TPlugInsItems* item) {
    std::lock_guard state(stateLock_);
    busyWith_ = item != nullptr ? item->BaseName() : std::string();
}

void TPlugIns::CancelCommand() {
    if (shared_.state == TPlugsSharedData::State::Posted ||
        shared_.state == TPlugsSharedData::State::Running) {
        shared_.state = TPlugsSharedData::State::Cancelled;
    }
}

bool TPlugIns::ServeUntil(const std::function<bool()>& done) {
    std::unique_lock state(stateLock_);
    auto deadline = std::chrono::steady_clock::now() + stallTimeout_;
    while (!done()) {
        if (shared_.state == TPlugsSharedData::State::Posted) {
            state.unlock();
            RunPendingCommand();
            state.lock();
            deadline = std::chrono::steady_clock::now() + stallTimeout_;
            continue;
        }
        if (mainChanged_.wait_until(state, deadline) == std::cv_status::timeout && !done() &&
            shared_.state != TPlugsSharedData::State::Posted) {
            return false;
        }
    }
    return true;
}

void TPlugIns::Abandon() {
    std::string name;
    {
        std::lock_guard state(stateLock_);
        stalled_ = true;
        stalledPlugIn_ = busyWith_.empty() ? std::string("?") : busyWith_;
        name = stalledPlugIn_;
        CancelCommand();
    }
    commandsOpen_ = false;
    mainChanged_.notify_all();
    worker_.detach();
    plat::win::OutputDebugString("Remote plug-in " + name +
                                 " did not return in time; it stays loaded and plug-ins stay stopped");
}
