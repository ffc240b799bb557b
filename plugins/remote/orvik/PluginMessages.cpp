#include "plugins/remote/orvik/PluginMessages.h"

#include "platform/serial/SystemErrorText.h"

namespace orvik {

void PluginMessages::ShowSystemError(int error) {
    ShowMessage(plat::serial::SystemErrorText(error));
}

} // namespace orvik
