#include "core/src/filters/TFilterPropertyPages.h"

#include "platform/forms/PropertyFrameHost.h"
#include "platform/media/MediaGraph.h"
#include "platform/text/CodePage.h"

bool TFilterPropertyPages::ShowGraphFilter(const plat::media::MediaGraph* graph, plat::win::HWND owner,
                                           std::uint32_t number) {
    if (graph == nullptr || number == 0) {
        return false;
    }
    const std::vector<plat::media::GraphFilter> filters = graph->Filters();
    if (number > filters.size()) {
        return false;
    }
    const plat::media::GraphFilter& filter = filters[number - 1];
    plat::forms::OleCreatePropertyFrame(owner, 0, 0, plat::text::AnsiToWide(filter.identifier),
                                        filter.element);
    return true;
}

bool TFilterPropertyPages::ShowCatalogueFilter(const plat::media::FilterCatalogue& catalogue,
                                               plat::win::HWND owner, const char16_t* displayName) {
    const plat::media::FilterInfo* info =
        displayName != nullptr ? catalogue.FindByDisplayName(plat::text::WideToAnsi(displayName)) : nullptr;
    if (info == nullptr) {
        return false;
    }
    const plat::media::ElementRef filter =
        plat::media::ElementRef::Sink(gst_element_factory_make(info->factoryName.c_str(), nullptr));
    return filter && plat::forms::OleCreatePropertyFrame(owner, 0, 0, u"", filter.get());
}
