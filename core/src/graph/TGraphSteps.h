#pragma once
// The operations that the steps of a graph description call, implemented by the playback engine.
// Every operation writes its own outcome to the graph log; the interpreter only reads the results
// named below. Texts are whole attribute values, already substituted.
#include "core/src/graph/TGraphFilter.h"

#include <cstdint>
#include <string>

// Kinds of graph-log entries; a write with a text is an entry, one without closes an opened entry.
enum class TGraphLogKind : std::uint8_t { Info = 0, Success = 1, Failure = 2, Document = 9 };

// Pixel format the sample grabber asks for, chosen from the screen's colour depth.
enum class TGrabberSubtype : std::uint8_t { Rgb8, Rgb555, Rgb24, Rgb32 };

class TGraphSteps {
public:
    virtual ~TGraphSteps() = default;

    // Graph log: `open` keeps an entry open for children; a null text closes the innermost entry.
    virtual void GraphLog(bool open, TGraphLogKind kind, const char16_t* text) = 0;
    // The graph variable of exactly that name; false when there is none.
    virtual bool GetGraphVariable(const std::u16string& name, std::u16string& value) = 0;

    // False after a failed CreateMultimediaGraph left the engine without a filter graph.
    virtual bool HasGraph() = 0;
    // The added filter, or null.
    virtual TGraphFilter* AddFilterByClsid(const std::u16string& id, const std::u16string& clsid) = 0;
    virtual TGraphFilter* AddDmoFilterByName(const std::u16string& id, const std::u16string& displayName) = 0;
    virtual TGraphFilter* AddDmoFilter(const std::u16string& id, const std::u16string& clsid,
                                       const std::u16string& category) = 0;
    // The first filter of the engine's list whose identifier equals `id` exactly.
    virtual bool FindFilterById(const std::u16string& id, TGraphFilter*& filter) = 0;
    // The filter of that name in the graph, or null.
    virtual TGraphFilter* FindFilterByName(const std::u16string& name) = 0;
    // Makes `file` the media file name and loads it into the filter (none: answers false).
    virtual bool SetSourceFile(const std::u16string& file, TGraphFilter* filter) = 0;
    virtual bool ConnectPins(const std::u16string& source, const std::u16string& sourcePin,
                             const std::u16string& destination, const std::u16string& destinationPin,
                             bool direct) = 0;
    virtual bool RenderPin(const std::u16string& id, const std::u16string& pin,
                           bool onlyExistingRenderers) = 0;
    // The graph renders the file with filters of its own choice; true when it did.
    virtual bool RenderFile(const std::u16string& file) = 0;
    // Loads a graph file into the graph; a negative answer is a failure.
    virtual std::int32_t LoadGrf(const std::u16string& file) = 0;
    // Releases the current graph, marks the engine as running a multimedia-stream graph and builds
    // one around the file.
    virtual bool CreateMultimediaGraph(const std::u16string& file) = 0;
    virtual int ScreenBitsPerPixel() = 0;
    // Puts the sample grabber between the renderer and the filter feeding it; false when it could not.
    virtual bool InsertSampleGrabber(TGraphFilter* renderer, TGrabberSubtype subtype) = 0;
    // Registers the graph for outside tools to inspect; negative when it could not be registered.
    virtual std::int32_t AddToRot() = 0;

    // Permanent merit changes; their results are not used by the steps.
    virtual bool WriteMeritByName(const std::u16string& displayName, std::uint32_t merit) = 0;
    virtual bool WriteMeritByClsid(const std::u16string& category, const std::u16string& clsid,
                                   std::uint32_t merit) = 0;
    // Temporary merit 0 with an undo entry; true when the merit was lowered.
    virtual bool ForbidFilterByName(const std::u16string& displayName) = 0;
    virtual bool ForbidFilterByClsid(const std::u16string& category, const std::u16string& clsid) = 0;
    virtual void RefreshFilterCache() = 0;
};
