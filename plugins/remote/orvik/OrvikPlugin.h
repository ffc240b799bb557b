#pragma once
// Everything the loaded plug-in holds (one receiver per process) and what its exports do: the folder
// of the library, its settings, the receiver and the player's callback.
#include "plugins/remote/include/TovPluginApi.h"
#include "plugins/remote/orvik/IrReceiver.h"
#include "plugins/remote/orvik/PluginSettings.h"

#include <functional>
#include <memory>
#include <string>

namespace orvik {

class OrvikPlugin {
public:
    struct Services {
        std::shared_ptr<PluginMessages> Messages;
        SleepClock* Clock = nullptr;
        IrReceiver::ModemLinesFactory Lines;
        // The file of the library; empty when the system cannot tell.
        std::function<std::string()> LibraryFile;
        // Where the system's serial ports are listed ("/sys").
        std::string SysRoot;
    };

    explicit OrvikPlugin(Services services);

    // Reads the settings and opens the receiver: 1 when it answered and the reader runs, else 0.
    int32_t Start();
    // Stops the reader and closes the port; 1 (it always stops).
    int32_t Stop();
    // Keeps the player's callback and context (both null detaches). Asks for no player events: the
    // window and group mask stay as the player cleared them. 1.
    int32_t SetCallback(void* context, TovPluginHostCallback callback);
    // Reads the settings and shows the port dialog on the application's thread: 1 after OK, 0 after
    // Cancel or without an application of widgets. OK takes the chosen port (an empty list keeps the
    // current one), reopens a running receiver on it and writes the settings.
    int32_t ShowProperties();

    const PluginSettings& Settings() const { return Settings_; }
    bool IsRunning() const { return Receiver.IsRunning(); }

private:
    // The library's folder with its trailing separator, asked for until the system tells it.
    const std::string& FindPluginFolder();
    bool RunPortDialog();
    void AcceptPort(const std::string& name);

    Services Services_;
    std::shared_ptr<HostCallbackSlot> Host;
    IrReceiver Receiver;
    PluginSettings Settings_;
    std::string Folder;
};

} // namespace orvik
