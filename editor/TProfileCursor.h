#pragma once
// The value record that names one item of the open profile: the profile itself, a volume, a
// language, a title, a select, a timed script or a style, with the items around it. Copied by value
// between the editor's forms; it never owns what it names, and every field is a weak handle, so a
// cursor kept past a deletion names nothing instead of freed memory.
#include "editor/TItemRegistry.h"

#include <cstdint>

class TDVDProfile;
class TLanguage;
class TScriptControl;
class TSelect;
class TSubEvents;
class TTitle;
class TVolume;
struct TStyles;

struct TProfileCursor {
    enum Kind : uint8_t {
        kProfile = 0,
        kVolume = 1,
        kLanguage = 2,
        kTitle = 3,
        kSelect = 4,
        kTimedScript = 5,
        kStyle = 6,
    };

    TItemRef<TDVDProfile> Profile;
    TItemRef<TLanguage> Language;
    TItemRef<TTitle> Title;
    TItemRef<TVolume> Volume;
    TItemRef<TScriptControl> Script;
    TItemRef<TStyles> Style;
    TItemRef<TSubEvents> Event;
    TItemRef<TSelect> Select;
    uint8_t ItemKind = kProfile;
    uint8_t Changed = 0;

    // A zeroed record: names nothing.
    bool IsEmpty() const { return !Profile && !Language && !Volume && !Script && !Select; }
    bool operator==(const TProfileCursor&) const = default;
};
