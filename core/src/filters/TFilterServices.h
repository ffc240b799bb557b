#pragma once
// The filter services of the library's exports over the catalogue of one call: the merit store and
// the undo log live in the library's folder (a folder of the caller's choice in tests). Out texts are
// UTF-16 blocks with one zero character, allocated with malloc for the caller to free.
#include "core/src/filters/TFilterMerits.h"
#include "platform/media/FilterCatalogue.h"
#include "platform/media/MeritStore.h"
#include "platform/win/Types.h"

#include <cstdint>
#include <string>

class TMemoryObject;

class TFilterServices {
public:
    explicit TFilterServices(const std::string& folder);
    TFilterServices(const TFilterServices&) = delete;
    TFilterServices& operator=(const TFilterServices&) = delete;

    // The services over the library's folder: the folder of the library file that holds this code.
    static TFilterServices ForLibrary();

    // Answers the number of audio renderers; 0 and nothing written for a null out pointer.
    std::int32_t GetCommonDsFilters(char16_t** out) const;
    // Answers 0; nothing written for a null out pointer.
    std::int32_t GetAllFilters(char16_t** out) const;
    // Answers the number of matching filters; the fragment only when out is not null.
    std::int32_t GetFCCFilters(std::uint32_t fourCC, char16_t** out) const;
    // 0, or -1 for a null out pointer or a display name that names no filter.
    std::int32_t GetFilterInfo(const char16_t* displayName, char16_t** out) const;
    // Shows the properties frame of a fresh filter of the class the display name names; whether it was
    // shown (not without a QApplication, a known class or a property to show).
    bool ShowFilterProp(plat::win::HWND owner, const char16_t* displayName) const;
    // 1 when the merit was written, else 0; the filter cache is refreshed in either case.
    std::int32_t SetRit(const char16_t* displayName, std::uint32_t merit);

    const plat::media::FilterCatalogue& Catalogue() const { return catalogue_; }
    TFilterMerits& Merits() { return merits_; }

private:
    static char16_t* CopyOut(const TMemoryObject& text);

    plat::media::MeritStore store_;
    plat::media::FilterCatalogue catalogue_;
    TFilterMerits merits_;
};
