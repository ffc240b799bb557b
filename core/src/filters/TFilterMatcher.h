#pragma once
// The catalogue's decoders of a kind that take a media type on an input pin and have an output pin, with
// a merit above "do not use", in catalogue order. Muxers, parsers and payloaders that take the same type
// are not offered as its decoders.
#include "platform/media/FilterCatalogue.h"

#include <cstdint>
#include <string_view>
#include <vector>

class TFilterMatcher {
public:
    explicit TFilterMatcher(const plat::media::FilterCatalogue& catalogue);

    // Decoders whose input pin templates accept the caps given as text; none for caps that do not parse.
    std::vector<const plat::media::FilterInfo*> MatchCaps(std::string_view caps,
                                                          plat::media::FilterCategory decoders) const;
    // Video decoders that accept the video type a FourCC stands for; none for a FourCC without a known type.
    std::vector<const plat::media::FilterInfo*> MatchFourCC(std::uint32_t fourCC) const;

private:
    const plat::media::FilterCatalogue& catalogue_;
};
