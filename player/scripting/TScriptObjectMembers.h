#pragma once
// The members of the objects that built-ins yield: a filter of the running graph, a play-list item, a
// profile volume and one of its languages. Each member follows the object directly, begins with "."
// and takes no arguments (an empty "()" is allowed), except a volume's ".languages", which takes the
// language's index. Without a member, the default member is read where the object has one.
#include "player/scripting/IScriptPlayList.h"
#include "player/scripting/IScriptProfile.h"
#include "player/scripting/TScriptCall.h"

struct TFiltersEntry;

class TScriptObjectMembers {
public:
    // 4098 when there is no filter.
    static int32_t Filter(TScriptCall& call, const TFiltersEntry* filter);
    static int32_t Item(TScriptCall& call, const TScriptPlaylistItem& item);
    static int32_t Volume(TScriptCall& call, const TScriptVolume& volume);
    static int32_t Language(TScriptCall& call, const TScriptLanguage& language);

private:
    // Reads the empty argument list of a member, then stores the value: 1, or 16.
    static int32_t YieldMember(TScriptCall& call, TScriptValue value);
    // The list of a filter's pins: "[IN] name" or "[OUT] name", for a connected pin "->(pin) " and the
    // connected filter's name, each line ending with CR LF.
    static std::u16string PinList(const TFiltersEntry& filter);
};
