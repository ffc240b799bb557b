#pragma once
// The plug-in's messages as information boxes of the player's application, owned by no window. The
// boxes live on the application's thread: a message from another thread is queued there and the
// caller goes on at once (the player's main thread may be waiting for that very caller).
#include "plugins/remote/orvik/PluginMessages.h"

namespace orvik {

class QtPluginMessages : public PluginMessages {
public:
    // Without an application of widgets the message goes to the standard error stream.
    void ShowMessage(const std::string& text) override;
};

} // namespace orvik
