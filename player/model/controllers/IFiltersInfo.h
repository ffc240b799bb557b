#pragma once
// What the hub needs of the controller of the current graph's filters.
class IFiltersInfo {
public:
    virtual ~IFiltersInfo() = default;
    // Deletes every filter; event 25 unless silent.
    virtual void Clear(bool silent) = 0;
    // Replaces the filters by those of a FILTERSLIST document.
    virtual void ParseFiltersXml(const char16_t* xml) = 0;
};
