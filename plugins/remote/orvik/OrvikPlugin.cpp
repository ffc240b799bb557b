#include "plugins/remote/orvik/OrvikPlugin.h"

#include "platform/forms/ApplicationThread.h"
#include "platform/forms/DialogRunner.h"
#include "platform/serial/SerialPortList.h"
#include "plugins/remote/orvik/TPortDialog.h"

#include <QApplication>
#include <QThread>

#include <cerrno>

namespace orvik {

OrvikPlugin::OrvikPlugin(Services services)
    : Services_(std::move(services)), Host(std::make_shared<HostCallbackSlot>()),
      Receiver(Services_.Messages, Host, *Services_.Clock, Services_.Lines) {}

const std::string& OrvikPlugin::FindPluginFolder() {
    if (Folder.empty()) {
        const std::string file = Services_.LibraryFile();
        const std::size_t slash = file.rfind('/');
        Folder = slash == std::string::npos ? file : file.substr(0, slash + 1);
    }
    return Folder;
}

int32_t OrvikPlugin::Start() {
    Settings_.Read(FindPluginFolder());
    return Receiver.OpenIrReceiver(Settings_.DevicePath()) ? 1 : 0;
}

int32_t OrvikPlugin::Stop() {
    Receiver.StopIrReceiver();
    return 1;
}

int32_t OrvikPlugin::SetCallback(void* context, TovPluginHostCallback callback) {
    Host->Set(context, callback);
    return 1;
}

int32_t OrvikPlugin::ShowProperties() {
    QCoreApplication* application = QCoreApplication::instance();
    if (qobject_cast<QApplication*>(application) == nullptr) {
        return 0;
    }
    Settings_.Read(FindPluginFolder());
    bool accepted = false;
    if (QThread::currentThread() == application->thread()) {
        accepted = RunPortDialog();
    } else {
        plat::forms::RunOnApplicationThread([&] { accepted = RunPortDialog(); });
    }
    return accepted ? 1 : 0;
}

bool OrvikPlugin::RunPortDialog() {
    std::vector<std::string> names;
    for (const std::string& device : plat::serial::ListSerialPorts(Services_.SysRoot)) {
        names.push_back(PluginSettings::PortNameOf(device));
    }
    // The owner's handle belongs to the player's window table: the dialog stands over the active window.
    TPortDialog dialog(names, Settings_.PortName(), QApplication::activeWindow());
    dialog.setWindowModality(Qt::ApplicationModal);
    if (plat::forms::DialogRunner::Current().Run(dialog) != QDialog::Accepted) {
        return false;
    }
    AcceptPort(dialog.SelectedName());
    return true;
}

void OrvikPlugin::AcceptPort(const std::string& name) {
    Settings_.SetPortName(name);
    if (Receiver.IsRunning()) {
        Receiver.OpenIrReceiver(Settings_.DevicePath());
    }
    if (!Settings_.Write(FindPluginFolder())) {
        Services_.Messages->ShowSystemError(errno);
    }
}

} // namespace orvik
