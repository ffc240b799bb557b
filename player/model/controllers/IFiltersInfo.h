#pragma once
// The filters of the current graph as the hub, the windows and the command scripts use them: the
// core's FILTERSLIST document read into filters and pins, the searches, and the property pages.
#include "platform/win/Types.h"
#include "player/model/controllers/TFiltersEntry.h"
#include "player/model/events/TCallbackFunction.h"

#include <cstdint>

class IFiltersInfo {
public:
    virtual ~IFiltersInfo() = default;
    virtual int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) = 0;

    // Deletes every filter; event 25 unless silent.
    virtual void Clear(bool silent) = 0;
    // Replaces the filters by those of a FILTERSLIST document; event 25.
    virtual void ParseFiltersXml(const char16_t* xml) = 0;
    virtual int32_t GetCount() const = 0;
    // The filter at a 0-based index; nullptr when there is none.
    virtual const TFiltersEntry* GetFilter(int32_t index) const = 0;
    // The first filter whose name begins with the text (or contains it), case-insensitively.
    virtual const TFiltersEntry* FindByName(const char16_t* text, bool contains) const = 0;
    // The first filter whose class identifier text equals the text, case-insensitively.
    virtual const TFiltersEntry* FindByClsid(const char16_t* text) const = 0;
    // The core shows the property pages of the 1-based filter number (order 206).
    virtual int32_t ShowFilterProperties(plat::win::HWND owner, int32_t number) = 0;
};
