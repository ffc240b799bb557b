#pragma once
// Small real media graphs for the report tests: filters of the catalogue added under identifiers.
#include "platform/testing/FakeRendererFactory.h"
#include "platform/media/FilterCatalogue.h"
#include "platform/media/MediaGraph.h"

#include <string>

namespace report_graphs {

// The registry's ranks as installed, read once for the process.
inline plat::media::FilterCatalogue& Catalogue() {
    static plat::media::FilterCatalogue catalogue;
    return catalogue;
}

class TestGraph {
public:
    TestGraph() : graph_(Catalogue(), renderers_) {}

    // Adds a filter of the factory under the identifier; false when it could not be added.
    bool Add(const char* factory, const std::string& identifier) {
        return plat::media::Succeeded(graph_.AddFilter(ClassId(factory), identifier));
    }
    static plat::media::Guid ClassId(const char* factory) {
        return plat::media::FilterCatalogue::ClassIdForFactory(factory);
    }
    plat::media::MediaGraph& Graph() { return graph_; }

private:
    plat::media::FakeRendererFactory renderers_;
    plat::media::MediaGraph graph_;
};

} // namespace report_graphs
