#pragma once
// One graph of the engine, from its creation to its release: the media graph, its playback controls,
// the filters the description added (in order, under their identifiers) and what building found out.
// Each graph event wakes the host thread through the notifier the engine gives.
#include "core/src/engine/TGraphFilterEntry.h"
#include "core/src/engine/TGstMediaControl.h"
#include "platform/media/FilterCatalogue.h"
#include "platform/media/MediaGraph.h"
#include "platform/media/RendererFactory.h"

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TEngineGraph {
public:
    TEngineGraph(const plat::media::FilterCatalogue& catalogue, plat::media::RendererFactory& renderers,
                 std::chrono::milliseconds controlTimeout, std::function<void()> notifier);
    ~TEngineGraph();

    plat::media::MediaGraph& Media() { return media_; }
    TMediaControl& Control() { return control_; }

    // The added-filters list.
    TGraphFilterEntry& AddEntry(const std::u16string& identifier, std::string graphName);
    TGraphFilterEntry* FindEntry(const std::u16string& identifier);
    // A handle for a filter found by its graph name, kept with the graph.
    TGraphFilterEntry& NameHandle(const std::string& graphName);

    // The graph name of the first video renderer, or nothing.
    std::optional<std::string> VideoRendererName() const;
    // The file of the first filter that reads one, or nothing.
    std::optional<std::string> SourceFile() const;
    bool HasRole(plat::media::FilterRole role) const;
    bool Seekable() const;

    std::string sampleGrabber; // graph name of the sample grabber, empty when there is none
    bool windowless = false;   // a mixing renderer was added by its class id

private:
    plat::media::MediaGraph media_;
    TGstMediaControl control_;
    std::deque<TGraphFilterEntry> entries_; // a deque: the steps hold pointers to entries
    std::deque<TGraphFilterEntry> nameHandles_;
};
