#pragma once
// One filter graph: a GStreamer pipeline plus our model of it, an ordered list of filters with
// identifiers, and links between pins. Links naming a pin that only appears once data flows are kept
// and made when the pad appears (a template name such as "src_%u" takes the first pad made from it);
// Preroll (PAUSED with a time limit) lets those pads appear. Renderers nothing is linked to sit out
// state changes until something is, so they cannot hold prerolling back.
#include "platform/media/FilterCatalogue.h"
#include "platform/media/FilterPins.h"
#include "platform/media/GraphEventQueue.h"
#include "platform/media/GstRef.h"
#include "platform/media/RendererFactory.h"
#include "platform/media/Result.h"
#include "platform/media/StrandedSinkRepair.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace plat::media {

// A pin named by its filter's identifier and its own name.
struct PinName {
    std::string filter;
    std::string pin;
};

struct GraphFilter {
    std::string identifier;
    Guid classId;
    FilterRole role = FilterRole::Factory;
    GstElement* element = nullptr; // owned by the graph
};

// Where rendering sends decoded streams: renderers made for them, or only renderers already in the graph.
enum class RenderTarget { NewRenderers, ExistingRenderers };

// How far putting a filter in front of a renderer got: the stage that failed, or Done.
enum class SpliceStage {
    Done,
    RendererInput,
    NotConnected,
    Disconnect,
    FilterPins,
    ConnectUpstream,
    ConnectDownstream
};
struct SpliceResult {
    HResult hr = S_OK;
    SpliceStage stage = SpliceStage::Done;
};

class MediaGraph {
public:
    MediaGraph(const FilterCatalogue& catalogue, RendererFactory& renderers);
    ~MediaGraph();
    MediaGraph(const MediaGraph&) = delete;
    MediaGraph& operator=(const MediaGraph&) = delete;

    // Adds a filter of the class (our id or a Windows alias) under the identifier, at the end of the
    // list. REGDB_E_CLASSNOTREG for an unknown class or one without a filter here.
    HResult AddFilter(const Guid& classId, const std::string& identifier);
    // Adds a file source under the identifier and loads the file into it.
    HResult AddSourceFilter(const std::string& path, const std::string& identifier);
    // The first filter with exactly this identifier, or null.
    GstElement* FindFilter(std::string_view identifier) const;
    std::vector<GraphFilter> Filters() const;
    // Empty for an unknown identifier.
    std::vector<PinInfo> Pins(std::string_view identifier) const;

    // Takes the first filter of that identifier out of the graph, its links and waiting links with it.
    HResult RemoveFilter(std::string_view identifier);
    // Breaks the link of a pin (S_FALSE when it was not linked).
    HResult Disconnect(const PinName& pin);

    // Loads a file into a source filter: E_NOINTERFACE when the filter reads no files, the
    // ERROR_PATH_NOT_FOUND / ERROR_FILE_NOT_FOUND results when the file is missing.
    HResult LoadFile(std::string_view identifier, const std::string& path);
    std::optional<std::string> SourceFile(std::string_view identifier) const;

    // Links an output pin to an input pin as they are (VFW_E_NO_ACCEPTABLE_TYPES when the caps do not meet).
    HResult ConnectDirect(const PinName& output, const PinName& input);
    // Links directly, else through the decoder of highest rank that fits between the two pins.
    HResult Connect(const PinName& output, const PinName& input);
    // Renders an output pin: raw media to a renderer, anything else through a decoder bin first.
    HResult Render(const PinName& output, RenderTarget target = RenderTarget::NewRenderers);
    // Renders every unconnected output pin of the filter, and every output pin it adds later.
    HResult RenderAllPins(std::string_view identifier, RenderTarget target = RenderTarget::NewRenderers);
    // A file source for the file (identified by the path) with its output rendered.
    HResult RenderFile(const std::string& path);
    // Puts a filter of the graph with one "sink" and one "src" pin between the renderer and the pin that
    // feeds it. That pin is blocked while the links change, so data of a running graph never meets an
    // unlinked pin; a paused graph prerolls again through the filter. A failed link restores the old one.
    SpliceResult InsertBefore(std::string_view renderer, std::string_view filter);

    // The identifier itself when no filter has it yet, else with " 0001", " 0002"... appended.
    std::string UniqueIdentifier(const std::string& base) const;

    // PAUSED within the time limit, waiting for named pins to appear. Success is S_OK, or
    // VFW_S_VIDEO_NOT_RENDERED, VFW_S_AUDIO_NOT_RENDERED or VFW_S_PARTIAL_RENDER when streams were left
    // unrendered. Failures: the error the pipeline posted, VFW_E_NOT_FOUND for a linked pin that never
    // appeared, VFW_E_CANNOT_CONNECT for one that appeared but could not be linked, VFW_E_TIMEOUT.
    HResult Preroll(std::chrono::milliseconds timeout);
    // Changes the pipeline's state and waits for it within the time limit (errors as for Preroll).
    HResult ChangeState(GstState state, std::chrono::milliseconds timeout);
    // Waits for the pipeline to settle in the state (a flushing seek makes a paused pipeline preroll again).
    HResult WaitForState(GstState state, std::chrono::steady_clock::time_point deadline);
    // The state reached, and whether a change is still under way.
    GstState CurrentState(bool* changing) const;
    // The state the pipeline is heading for (a running pipeline prerolling after a seek heads for PLAYING).
    GstState TargetState() const;

    GraphEventQueue& Events() { return events_; }
    GstElement* Pipeline() const { return pipeline_.get(); }
    std::vector<GstElement*> FiltersWithRole(FilterRole role) const;

private:
    enum class LinkKind { Direct, Intelligent, Render, RenderExisting };
    // A link waiting for its output pad; pin "*" (decoder bins) takes every pad and stays.
    struct PendingLink {
        GstElement* source;
        std::string sourcePin;
        GstElement* sink;
        std::string sinkPin;
        LinkKind kind;
        int linked = 0; // pads linked by a rule for every pad
    };
    struct RenderTally {
        int unrenderedVideo = 0;
        int unrenderedAudio = 0;
        int unrenderedOther = 0;
    };

    HResult LoadInto(GstElement* element, const std::string& path);
    HResult AddElement(ElementRef element, const Guid& classId, FilterRole role,
                       const std::string& identifier);
    // Callers hold the model lock while they use the answer.
    const GraphFilter* Find(std::string_view identifier) const;
    HResult Link(const PinName& output, const PinName& input, LinkKind kind);
    HResult LinkPads(GstPad* output, GstElement* sink, const std::string& sinkPin, LinkKind kind);
    HResult LinkThroughDecoder(GstPad* output, GstPad* input);
    GstElement* InsertBestOf(GstElementFactoryListType type, GstPad* output, GstPad* input);
    GstElement* TryInsert(GstElementFactory* factory, GstPad* output, GstPad* input);
    void RemoveInserted(GstElement* element);
    HResult RenderPad(GstPad* output, LinkKind kind);
    HResult LinkToRenderer(GstPad* output, FilterRole role, LinkKind kind);
    HResult AddDecoderBin(GstPad* output, LinkKind kind);
    void CountUnrendered(std::string_view caps);
    void ParkIdleRenderers();
    void Admit(GstElement* element);
    HResult RenderResult() const;
    SpliceResult Relink(GstPad* upstream, GstPad* input, GstPad* filterInput, GstPad* filterOutput);
    // A flushing seek to where the graph stands.
    bool SeekInPlace();

    void OnPadAdded(GstElement* element, GstPad* pad);
    void OnNoMorePads(GstElement* element);
    void OnUnknownType(GstCaps* caps);
    void OnBusMessage(GstMessage* message);
    void Fail(HResult hr);
    std::optional<HResult> Failure() const;
    // Whether links wait for pins: None, Awaited (their filter may still add pads) or Abandoned (a named
    // pin is missing and its filter announced it adds no more).
    enum class PendingState { None, Awaited, Abandoned };
    PendingState PendingLinks() const;
    bool HasNamedPendingLinks() const;
    std::uint64_t Generation() const;
    HResult WaitForChange(std::uint64_t seen, std::chrono::steady_clock::time_point deadline);
    void Notify();
    void LinkAppearedPad(GstElement* element, GstPad* pad);

    static void PadAddedThunk(GstElement* element, GstPad* pad, gpointer self);
    static void NoMorePadsThunk(GstElement* element, gpointer self);
    static void UnknownTypeThunk(GstElement* element, GstPad* pad, GstCaps* caps, gpointer self);
    static GstBusSyncReply BusThunk(GstBus* bus, GstMessage* message, gpointer self);

    const FilterCatalogue& catalogue_;
    RendererFactory& renderers_;
    ElementRef pipeline_;
    StrandedSinkRepair repair_;
    GraphEventQueue events_;

    // The model: changed on the host thread and on streaming threads (pads appearing).
    mutable std::recursive_mutex modelMutex_;
    std::vector<GraphFilter> filters_;
    std::vector<ElementRef> owned_;
    std::vector<PendingLink> pending_;
    std::set<GstElement*> announced_; // filters that said they add no more pads
    RenderTally tally_;

    // What state waits watch: every bus message bumps the generation.
    mutable std::mutex stateMutex_;
    std::condition_variable stateChanged_;
    std::uint64_t generation_ = 0;
    std::optional<HResult> failure_;
};

} // namespace plat::media
