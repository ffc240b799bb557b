#include "subtitles/profiles/TScriptItems.h"
#include "subtitles/scripts/TScriptControl.h"

#include <algorithm>

TScriptItems::TScriptItems() = default;

TScriptItems::~TScriptItems() = default;

void TScriptItems::ResetLanguages() {
    Languages.clear();
}

void TScriptItems::NewScript() {
    SetScript(std::make_unique<TScriptControl>());
}

void TScriptItems::SetScript(std::unique_ptr<TScriptControl> script) {
    Script = script.get();
    Owned = std::move(script);
}

void TScriptItems::SetScript(TScriptControl* script) {
    if (Owned && Owned.get() == script) {
        return;
    }
    Owned.reset();
    Script = script;
}

bool TScriptItems::UsesLanguage(const TScriptUser* language) const {
    return std::find(Languages.begin(), Languages.end(), language) != Languages.end();
}

TScriptUser* TScriptItems::GetLanguage(int32_t index) const {
    return (index >= 0 && index < LanguageCount()) ? Languages[static_cast<std::size_t>(index)] : nullptr;
}

void TScriptItems::AddLanguage(TScriptUser* language) {
    Languages.push_back(language);
}

void TScriptItems::RemoveLanguage(const TScriptUser* language) {
    std::erase(Languages, language);
}
