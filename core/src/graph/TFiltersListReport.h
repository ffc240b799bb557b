#pragma once
// The filter list of a graph (order 304): every filter in the graph's order with its name, class,
// whether its properties frame has something to show, and its present pins in pin order, each
// connected pin naming the pin and the filter class it is connected to. Every name is escaped, so the
// text is well-formed XML whatever the names hold.
#include "foundation/TMemoryObject.h"

#include <gst/gst.h>

#include <string>
#include <vector>

namespace plat::media {
class MediaGraph;
struct GraphFilter;
struct PinInfo;
} // namespace plat::media

class TFiltersListReport {
public:
    // Empties the buffer; false (the buffer left empty) without a graph, else writes the list.
    static bool Write(TMemoryObject& out, const plat::media::MediaGraph* graph);
    // The report of the graph for its order, in a block of the core's heap with one zero character
    // after it: the empty text without a graph. Null when memory runs out.
    static char16_t* Handover(const plat::media::MediaGraph* graph);

private:
    explicit TFiltersListReport(TMemoryObject& out, std::vector<plat::media::GraphFilter> filters);

    void WriteFilter(const plat::media::GraphFilter& filter);
    void WritePin(GstElement* element, const plat::media::PinInfo& pin);
    void WriteConnection(GstPad* pad);
    // The class text of a filter of this graph, or of the factory that made any other element.
    std::string ClassOf(GstElement* element) const;

    TMemoryObject& out_;
    std::vector<plat::media::GraphFilter> filters_;
};
