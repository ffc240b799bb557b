#include "core/src/engine/TEngineGraph.h"

#include <algorithm>

using plat::media::FilterRole;

namespace {

// How long the pipeline may take to shut down when the graph is released.
constexpr std::chrono::seconds kReleaseLimit{5};

} // namespace

TEngineGraph::TEngineGraph(const plat::media::FilterCatalogue& catalogue,
                           plat::media::RendererFactory& renderers, std::chrono::milliseconds controlTimeout,
                           std::function<void()> notifier)
    : media_(catalogue, renderers), control_(media_, controlTimeout) {
    media_.Events().SetNotifier(std::move(notifier));
}

TEngineGraph::~TEngineGraph() {
    media_.Events().SetNotifier(nullptr);
    media_.ChangeState(GST_STATE_NULL, kReleaseLimit);
}

TGraphFilterEntry& TEngineGraph::AddEntry(const std::u16string& identifier, std::string graphName) {
    entries_.emplace_back(identifier, std::move(graphName));
    return entries_.back();
}

TGraphFilterEntry* TEngineGraph::FindEntry(const std::u16string& identifier) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&](const TGraphFilterEntry& e) { return e.Identifier() == identifier; });
    return it != entries_.end() ? &*it : nullptr;
}

TGraphFilterEntry& TEngineGraph::NameHandle(const std::string& graphName) {
    return nameHandles_.emplace_back(std::u16string(), graphName);
}

std::optional<std::string> TEngineGraph::VideoRendererName() const {
    for (const plat::media::GraphFilter& filter : media_.Filters()) {
        if (filter.role == FilterRole::VideoRenderer) {
            return filter.identifier;
        }
    }
    return std::nullopt;
}

std::optional<std::string> TEngineGraph::SourceFile() const {
    for (const plat::media::GraphFilter& filter : media_.Filters()) {
        if (auto file = media_.SourceFile(filter.identifier)) {
            return file;
        }
    }
    return std::nullopt;
}

bool TEngineGraph::HasRole(FilterRole role) const {
    return !media_.FiltersWithRole(role).empty();
}

bool TEngineGraph::Seekable() const {
    GstQuery* query = gst_query_new_seeking(GST_FORMAT_TIME);
    gboolean seekable = FALSE;
    if (gst_element_query(media_.Pipeline(), query)) {
        gst_query_parse_seeking(query, nullptr, &seekable, nullptr, nullptr);
    }
    gst_query_unref(query);
    return seekable != FALSE;
}
