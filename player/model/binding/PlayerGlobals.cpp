#include "player/model/binding/PlayerGlobals.h"

namespace {

std::unique_ptr<TErrorControl> errorControl;
std::unique_ptr<TSendToCore> sendToCore;

} // namespace

void CreatePlayerGlobals(std::unique_ptr<TSendToCore> binding) {
    if (!errorControl) {
        errorControl = std::make_unique<TErrorControl>();
        InstallErrorSink(errorControl.get());
    }
    if (!sendToCore) {
        sendToCore = binding ? std::move(binding) : std::make_unique<TSendToCore>();
    }
}

void DestroyPlayerGlobals() {
    sendToCore.reset();
    if (InstalledErrorSink() == errorControl.get()) {
        InstallErrorSink(nullptr);
    }
    errorControl.reset();
}

TErrorControl* ErrorControl() {
    return errorControl.get();
}

TSendToCore* SendToCore() {
    return sendToCore.get();
}
