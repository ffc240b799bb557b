#pragma once
// What the script pool knows of a language: the list of pool scripts it uses (entries that do not
// own their scripts, in "load:" order), how it takes a script's styles, and how it follows a script
// that the pool replaced by another object of the same name.
#include "foundation/TPointer.h"
#include "subtitles/profiles/TScriptItems.h"

class TScriptControl;

class TScriptUser {
public:
    TScriptUser() = default;
    virtual ~TScriptUser() = default;
    TScriptUser(const TScriptUser&) = delete;
    TScriptUser& operator=(const TScriptUser&) = delete;

    // Puts every style of the script into the user (an existing name overwritten unless `keep`).
    virtual void AddStylesOfScript(const TScriptControl& script, bool keep) = 0;
    // The pool replaced `old` by `replacement` in the user's script entries; whatever else of the
    // user refers to `old` (selections, merged pages) follows, since `old` is about to be deleted.
    virtual void ScriptReplaced(TScriptControl* old, TScriptControl* replacement) = 0;

    // The scripts the user uses, in "load:" order; these entries do not own their scripts.
    TPointer<TScriptItems> Scripts;
};
