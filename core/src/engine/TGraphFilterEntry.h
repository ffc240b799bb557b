#pragma once
// A filter of the engine's graph as the graph steps name it: the identifier the description gave it
// (at most kMaxIdentifier characters) and its name in the media graph.
#include "core/src/graph/TGraphFilter.h"

#include <cstddef>
#include <string>

class TGraphFilterEntry : public TGraphFilter {
public:
    static constexpr std::size_t kMaxIdentifier = 254;

    TGraphFilterEntry(const std::u16string& identifier, std::string graphName)
        : identifier_(identifier.substr(0, kMaxIdentifier)), graphName_(std::move(graphName)) {}

    const std::u16string& Identifier() const { return identifier_; }
    const std::string& GraphName() const { return graphName_; }

private:
    std::u16string identifier_;
    std::string graphName_;
};
