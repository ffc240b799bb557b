#pragma once
// The XML texts that describe the catalogue's filters: the common lists, the whole catalogue by
// category, a list of matching filters and the details of one filter. Names and ids are escaped.
#include "platform/media/FilterCatalogue.h"

#include <cstdint>
#include <vector>

class TMemoryObject;

class TFilterXmlWriter {
public:
    // The version of the registration data a filter shows: the version that lists its pin count.
    static constexpr std::uint32_t kFilterDataVersion = 2;

    explicit TFilterXmlWriter(const plat::media::FilterCatalogue& catalogue);

    // The <FILTERENUM> document of audio renderers and DVD video and audio decoders; answers the
    // number of audio renderers.
    std::int32_t WriteCommonFilters(TMemoryObject& text) const;
    // The <FILTERENUM> document of every category and its filters, the empty DMO categories last.
    void WriteAllFilters(TMemoryObject& text) const;
    // The <FourCCFilters> fragment of the given filters.
    static void WriteFourCCFilters(const std::vector<const plat::media::FilterInfo*>& filters,
                                   TMemoryObject& text);
    // The <FILTER> element of one filter.
    static void WriteFilterInfo(const plat::media::FilterInfo& info, TMemoryObject& text);

private:
    static void WriteMatches(const std::vector<const plat::media::FilterInfo*>& filters, TMemoryObject& text);
    void WriteCategory(plat::media::FilterCategory category, TMemoryObject& text) const;

    const plat::media::FilterCatalogue& catalogue_;
};
