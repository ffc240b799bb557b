#pragma once
// The filters of the playback graph the core built, read from its FILTERSLIST document after every
// build: names, class identifiers, pins and their connections.
#include "player/model/controllers/IFiltersInfo.h"
#include "player/model/hub/TPlayerObjects.h"

class TXmlNode;

class TFiltersInfo : public TPlayerObjects, public IFiltersInfo {
public:
    explicit TFiltersInfo(TPlayerObjects& hub);

    int32_t AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) override;
    void Clear(bool silent) override;
    void ParseFiltersXml(const char16_t* xml) override;
    int32_t GetCount() const override { return filters_.Count; }
    const TFiltersEntry* GetFilter(int32_t index) const override;
    // No text, or an empty one, finds nothing.
    const TFiltersEntry* FindByName(const char16_t* text, bool contains) const override;
    const TFiltersEntry* FindByClsid(const char16_t* text) const override;
    int32_t ShowFilterProperties(plat::win::HWND owner, int32_t number) override;

private:
    void ReadFilter(TXmlNode* element);
    // Points every connected pin at the filter at its other end (see the source).
    void ResolveConnections();

    TPointer<TCallbackFunction> listeners_;
    TPointer<TFiltersEntry> filters_;
};
