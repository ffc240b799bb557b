#pragma once
// One entry of the script pool: a script and the languages that use it, in the order they were
// added (a language may appear more than once). The same class, not owning, is an entry of a
// language's own script list.
#include "foundation/TPointer.h"

#include <cstdint>
#include <memory>
#include <vector>

class TScriptControl;
class TScriptUser;

class TScriptItems : public TListItem<TScriptItems> {
public:
    TScriptItems();
    ~TScriptItems();
    TScriptItems(const TScriptItems&) = delete;
    TScriptItems& operator=(const TScriptItems&) = delete;

    // Empties the language table.
    void ResetLanguages();
    // Replaces the script by a new empty one, owned.
    void NewScript();
    // Holds the given script, owned; an owned script held before is deleted.
    void SetScript(std::unique_ptr<TScriptControl> script);
    // Holds the given script (or none) without owning it; an owned script held before is deleted
    // (given its own script, the entry keeps it as it is).
    void SetScript(TScriptControl* script);

    TScriptControl* GetScript() const { return Script; }
    bool OwnsScript() const { return Owned != nullptr; }
    int32_t LanguageCount() const { return static_cast<int32_t>(Languages.size()); }
    bool UsesLanguage(const TScriptUser* language) const;
    // The language at a 0-based index; nullptr beyond the count.
    TScriptUser* GetLanguage(int32_t index) const;
    // Appends the language without a duplicate check.
    void AddLanguage(TScriptUser* language);
    // Removes every occurrence, keeping the order of the others.
    void RemoveLanguage(const TScriptUser* language);

private:
    std::unique_ptr<TScriptControl> Owned;
    TScriptControl* Script = nullptr;
    std::vector<TScriptUser*> Languages;
};
