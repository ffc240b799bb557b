#pragma once
// The remote plug-in host: finds the plug-ins of a folder, loads the ones the settings enable on a
// worker thread of its own, hands their commands to the main thread, and forwards player events to
// the plug-ins that asked for them.
//
// Threads: the main thread scans, starts, stops, sets quitting, dispatches events and runs commands
// (RunPendingCommand, on kCommandMessage); the worker loads, starts, stops and unloads every plug-in;
// plug-in threads send commands through the host callback.
//
// No wait of the main thread can hang on a plug-in: commands never hold the list lock; while the
// main thread waits for the worker it runs the commands that arrive; stopping and quitting answer
// pending commands with 0; and a plug-in that does not return from tovplug_Start or tovplug_Stop
// within the stall timeout is reported (StalledPlugIn) and left behind: its library stays loaded
// (its code may still be running) and the host accepts no further start until the process ends.
#include "platform/win/Types.h"
#include "player/scripting/remote/TPlugInsItems.h"
#include "player/scripting/remote/TPlugsSharedData.h"

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class TPlugIns : public std::enable_shared_from_this<TPlugIns> {
public:
    // Posted (wParam 0, lParam 0) to the main window when a plug-in command waits to be run.
    static constexpr plat::win::UINT kCommandMessage = 2258;
    static constexpr const char* kSettingsSection = "PlugIns";
    static constexpr const char* kFilePattern = "plug*.so";
    static constexpr const char* kFolderName = "Plug-ins";

    // The folder "Plug-ins" below the program folder (its name matched without regard to case).
    static std::string ProgramPlugInsFolder();

    // Runs a command text on the main thread: the script's result code; `consumed` gets the units of
    // the text the script read, `answer` its output as text.
    using CommandRunner =
        std::function<int32_t(std::u16string_view command, std::size_t& consumed, std::u16string& answer)>;

    // The worker keeps the host alive while it runs, so the host is always shared.
    static std::shared_ptr<TPlugIns> Create();
    ~TPlugIns();
    TPlugIns(const TPlugIns&) = delete;
    TPlugIns& operator=(const TPlugIns&) = delete;

    // Where commands go: the window that receives kCommandMessage and what runs them there.
    void SetMainWindow(plat::win::HWND window);
    void SetCommandRunner(CommandRunner runner);
    // How long the main thread waits for a plug-in's start or stop before it gives up on it.
    void SetStallTimeout(std::chrono::milliseconds timeout);

    // Replaces the list by the files "plug*.so" (names matched without regard to case, in name order)
    // of the folder, unloading loaded ones. The number of items; -1 for a null folder or while a
    // worker runs.
    int32_t Scan(const char* folder);
    // Stops a running worker, then starts one that loads the plug-ins enabled in the settings file's
    // [PlugIns] section (the key named by the base name with the value 1). The number loaded; 0 for a
    // null path, after quitting, or when the host has stalled.
    int32_t Start(const char* settingsFile);
    // Stops the worker, which unloads every plug-in. The number that were loaded.
    int32_t Stop();
    // Refuses every later command and answers pending ones with 0. Takes no lock.
    void SetQuitting();
    bool Quitting() const { return quitting_.load(); }

    // Posts the event's message to the window of every plug-in in its group; the number posted.
    int32_t DispatchPlayerEvent(int32_t event, int32_t a, int32_t b, int32_t c);

    // Walk the plug-in list; hold Lock() meanwhile.
    TPlugInsItems* First();
    TPlugInsItems* Next();
    // The list lock (reentrant). False when the worker is stalled holding it.
    bool Lock();
    void Unlock();
    void LockGroups();
    void UnlockGroups();

    // A command from a plug-in thread; blocks until the main thread has run it. See
    // TovPluginHostCallback for the arguments. 0 for a null item or text, a negative length, when
    // commands are closed (quitting, stopping, no worker) or when the command was cancelled.
    int32_t ExecuteCommand(TPlugInsItems* item, const char16_t* text, int32_t length, int32_t* consumed,
                           char16_t* answer, int32_t* answerSize);
    // On the main thread: runs the command that waits, if any; true when one ran.
    bool RunPendingCommand();

    // The number of plug-ins loaded by the last start or unloaded by the last stop.
    int32_t Count() const { return count_.load(); }
    // The base name of the plug-in whose start or stop did not return in time; empty when none did.
    std::string StalledPlugIn() const;

private:
    TPlugIns() = default;

    void WorkerRun(std::string settingsFile);
    void LoadEnabled(const std::string& settingsFile);
    void UnloadAll();
    void ClearGroups();
    void SetBusyWith(const TPlugInsItems* item);
    void CancelCommand();
    // Runs arriving commands until `done` holds or the stall timeout passes; false on the timeout.
    bool ServeUntil(const std::function<bool()>& done);
    void Abandon();

    std::atomic<bool> quitting_{false};
    std::atomic<bool> commandsOpen_{false};
    std::recursive_timed_mutex listLock_;
    std::recursive_mutex groupsLock_;
    std::vector<std::unique_ptr<TPlugInsItems>> items_;
    std::size_t cursor_ = 0;
    std::array<std::vector<TPlugInsItems*>, 4> groups_;

    // Guards the flags below, the shared block and the name of the plug-in being started or stopped.
    mutable std::mutex stateLock_;
    // Wakes the threads that wait for a command or for the worker (main and plug-in threads), and
    // separately the worker, so that commands never wake the worker.
    std::condition_variable mainChanged_;
    std::condition_variable workerChanged_;
    bool starting_ = false;
    bool ended_ = true;
    bool keepRunning_ = false;
    bool stalled_ = false;
    std::string busyWith_;
    std::string stalledPlugIn_;
    TPlugsSharedData shared_;

    std::mutex commandLock_; // one command at a time
    std::thread worker_;
    std::atomic<int32_t> count_{0};
    std::chrono::milliseconds stallTimeout_{5000};
    plat::win::HWND mainWindow_ = 0;
    CommandRunner runner_;
};
