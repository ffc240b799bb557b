#include "player/ui/TPlayerSkin.h"

#include <QString>

#include <utility>

TPlayerSkin::TPlayerSkin(ISkinActionHost& host, std::string skinsFolder)
    : skinsFolder_(std::move(skinsFolder)), sink_(host, skin_), skin_(sink_) {}

bool TPlayerSkin::Load(const std::string& name, bool fullPath) {
    bool loaded = !name.empty() && skin_.Load(kScriptName, fullPath ? name : skinsFolder_ + name);
    if (!loaded) {
        loaded = skin_.Load(kScriptName, skinsFolder_ + kDefaultSkin);
    }
    TSkinForm* form = skin_.MainForm();
    if (loaded && form != nullptr) {
        // A new main skin form is shown; a hidden interface stays hidden.
        form->SetVisibleMark(true);
        form->setVisible(!skin_.InterfaceHidden());
    }
    return loaded;
}

bool TPlayerSkin::LoadStartup(bool useDefaultSkin, const std::string& settingsName) {
    return Load(useDefaultSkin ? std::string() : settingsName, false);
}
