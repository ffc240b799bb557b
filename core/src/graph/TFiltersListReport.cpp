#include "core/src/graph/TFiltersListReport.h"

#include "core/src/graph/TReportText.h"
#include "platform/media/ElementProperties.h"
#include "platform/media/FilterCatalogue.h"
#include "platform/media/MediaGraph.h"

#include <algorithm>
#include <memory>

using plat::media::FilterCatalogue;
using plat::media::FilterPins;
using plat::media::GraphFilter;
using plat::media::PadRef;
using plat::media::PinDirection;
using plat::media::PinInfo;

char16_t* TFiltersListReport::Handover(const plat::media::MediaGraph* graph) {
    TMemoryObject text(TReportText::kFirstBlock);
    Write(text, graph);
    return TReportText::Handover(text, TReportText::kReportTerminators);
}

bool TFiltersListReport::Write(TMemoryObject& out, const plat::media::MediaGraph* graph) {
    out.SetUsed(0);
    if (graph == nullptr) {
        return false;
    }
    TFiltersListReport report(out, graph->Filters());
    out.AppendString(u"<FILTERSLIST>\n");
    for (const GraphFilter& filter : report.filters_) {
        report.WriteFilter(filter);
    }
    out.AppendString(u"</FILTERSLIST>\n");
    return true;
}

TFiltersListReport::TFiltersListReport(TMemoryObject& out, std::vector<GraphFilter> filters)
    : out_(out), filters_(std::move(filters)) {}

void TFiltersListReport::WriteFilter(const GraphFilter& filter) {
    out_.AppendString(u"    <FILTER>\n        <Name>");
    TReportText::AppendEscapedUtf8(out_, filter.identifier);
    out_.AppendString(u"</Name>\n");
    if (const std::string classText = ClassOf(filter.element); !classText.empty()) {
        out_.AppendString(u"        <CLSID>");
        TReportText::AppendEscapedUtf8(out_, classText);
        out_.AppendString(u"</CLSID>\n");
    }
    if (plat::media::ElementProperties::Any(filter.element)) {
        out_.AppendString(u"        <HasProperties></HasProperties>\n");
    }
    out_.AppendString(u"        <PINS>\n");
    for (const PinInfo& pin : FilterPins::Enumerate(filter.element)) {
        if (pin.present) {
            WritePin(filter.element, pin);
        }
    }
    out_.AppendString(u"        </PINS>\n    </FILTER>\n");
}

void TFiltersListReport::WritePin(GstElement* element, const PinInfo& pin) {
    const char16_t* direction = pin.direction == PinDirection::Input ? u"INPUT" : u"OUTPUT";
    out_.AppendFormat(u"          <%s>\n<NAME>", direction);
    TReportText::AppendEscapedUtf8(out_, pin.name);
    out_.AppendString(u"</NAME>");
    if (pin.connected) {
        const PadRef pad = PadRef::Adopt(gst_element_get_static_pad(element, pin.name.c_str()));
        if (pad) {
            WriteConnection(pad.get());
        }
    }
    out_.AppendFormat(u"          </%s>\n", direction);
}

void TFiltersListReport::WriteConnection(GstPad* pad) {
    const PadRef peer = PadRef::Adopt(gst_pad_get_peer(pad));
    const plat::media::ElementRef peerElement =
        plat::media::ElementRef::Adopt(peer ? gst_pad_get_parent_element(peer.get()) : nullptr);
    const std::string classText = peerElement ? ClassOf(peerElement.get()) : std::string();
    if (classText.empty()) {
        return;
    }
    const std::unique_ptr<gchar, plat::media::GFreeDeleter> peerName(gst_pad_get_name(peer.get()));
    out_.AppendString(u"            <CONNECTEDTO>\n              <PIN>");
    TReportText::AppendEscapedUtf8(out_, peerName.get());
    out_.AppendString(u"</PIN>\n              <FILTERCLSID>");
    TReportText::AppendEscapedUtf8(out_, classText);
    out_.AppendString(u"</FILTERCLSID>\n            </CONNECTEDTO>\n");
}

std::string TFiltersListReport::ClassOf(GstElement* element) const {
    const auto inGraph = std::find_if(filters_.begin(), filters_.end(),
                                      [element](const GraphFilter& f) { return f.element == element; });
    if (inGraph != filters_.end() && !inGraph->classId.IsNull()) {
        return inGraph->classId.ToString();
    }
    GstElementFactory* factory = gst_element_get_factory(element);
    if (factory == nullptr) {
        return {};
    }
    return FilterCatalogue::ClassIdForFactory(gst_plugin_feature_get_name(GST_PLUGIN_FEATURE(factory)))
        .ToString();
}
