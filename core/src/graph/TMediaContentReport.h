#pragma once
// The media content of a graph (order 305): title, author, rating, description, copyright and
// further information, as the filters report them in GStreamer tags. Values are escaped, so the text is
// well-formed XML whatever they hold.
#include "foundation/TMemoryObject.h"

#include <gst/gst.h>

#include <span>
#include <string>

namespace plat::media {
class MediaGraph;
} // namespace plat::media

class TMediaContentReport {
public:
    // From the tags the graph's filters put on their output pins, filter by filter in the graph's
    // order: a filter reports the values it sends out that none of its input pins received (the
    // filter that found a title reports it, not every filter downstream that passes it on). Empties
    // the buffer; false (the buffer left empty) without a graph.
    static bool Write(TMemoryObject& out, const plat::media::MediaGraph* graph);
    // The report of the graph for its order, in a block of the core's heap with one zero character
    // after it: the empty text without a graph. Null when memory runs out.
    static char16_t* Handover(const plat::media::MediaGraph* graph);
    // From tag lists the engine gathered itself, one per reporting filter (null entries are skipped).
    static void Write(TMemoryObject& out, std::span<const GstTagList* const> filterTags);

private:
    static void WriteItems(TMemoryObject& out, const GstTagList* tags, const GstTagList* received);
    // The tag's value as text; false when the list lacks it or it has no text form.
    static bool ValueText(const GstTagList* tags, const char* tag, std::string& text);
    // The tags of the sticky tag events on the element's output (or input) pins, merged.
    static GstTagList* PinTags(GstElement* element, GstPadDirection direction);
};
