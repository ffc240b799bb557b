#include "platform/media/MediaGraph.h"

#include "platform/media/GstInit.h"
#include "platform/media/SampleGrabber.h"
#include "platform/media/ThreadHandOff.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace plat::media {

namespace {

constexpr const char* kAnyPin = "*";
// How long a splice may wait for the streaming thread to be held, and a paused graph to preroll again.
constexpr std::chrono::seconds kSpliceLimit{5};

const char* RoleIdentifier(FilterRole role) {
    return role == FilterRole::VideoRenderer ? "Video Renderer" : "Audio Renderer";
}

std::string FirstStructureName(GstCaps* caps) {
    if (caps == nullptr || gst_caps_is_any(caps) || gst_caps_is_empty(caps)) {
        return {};
    }
    return gst_structure_get_name(gst_caps_get_structure(caps, 0));
}

CapsRef PadCaps(GstPad* pad) {
    GstCaps* current = gst_pad_get_current_caps(pad);
    return CapsRef::Adopt(current != nullptr ? current : gst_pad_query_caps(pad, nullptr));
}

// A demuxer marks an elementary stream it did not frame with parsed=false (or framed=false).
bool NeedsParser(GstPad* pad) {
    CapsRef caps = PadCaps(pad);
    if (!caps || gst_caps_is_empty(caps.get()) || gst_caps_is_any(caps.get())) {
        return false;
    }
    const GstStructure* structure = gst_caps_get_structure(caps.get(), 0);
    gboolean value = TRUE;
    return (gst_structure_get_boolean(structure, "parsed", &value) && !value) ||
           (gst_structure_get_boolean(structure, "framed", &value) && !value);
}

HResult FromLinkReturn(GstPadLinkReturn result) {
    switch (result) {
    case GST_PAD_LINK_OK:
        return S_OK;
    case GST_PAD_LINK_WAS_LINKED:
        return VFW_E_ALREADY_CONNECTED;
    case GST_PAD_LINK_WRONG_DIRECTION:
        return VFW_E_INVALID_DIRECTION;
    case GST_PAD_LINK_NOFORMAT:
        return VFW_E_NO_ACCEPTABLE_TYPES;
    default:
        return VFW_E_CANNOT_CONNECT;
    }
}

bool IsDecoderBinPad(GstPad* pad) {
    GstRef<GstElement> parent = GstRef<GstElement>::Adopt(gst_pad_get_parent_element(pad));
    GstElementFactory* factory = parent ? gst_element_get_factory(parent.get()) : nullptr;
    return factory != nullptr && std::string_view(GST_OBJECT_NAME(factory)) == "decodebin";
}

HResult CheckFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::path file(path);
    if (path.empty()) {
        return E_INVALIDARG;
    }
    if (std::filesystem::is_regular_file(file, error)) {
        return S_OK;
    }
    const auto folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    return std::filesystem::is_directory(folder, error) ? FILE_NOT_FOUND_RESULT : PATH_NOT_FOUND_RESULT;
}

// Removes an element that could not be used from the bin it was added to.
void Discard(GstElement* pipeline, GstElement* element) {
    gst_element_set_state(element, GST_STATE_NULL);
    gst_bin_remove(GST_BIN(pipeline), element);
}

// A blocking probe on a pin, with a wait until the streaming thread is held there. The probe's state
// is shared with the probe itself, which may still run while the block is being released.
class PadBlock {
public:
    explicit PadBlock(GstPad* pad) : pad_(pad), state_(std::make_shared<State>()) {
        auto* shared = new std::shared_ptr<State>(state_);
        HandOver(shared);
        id_ = gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BLOCK_DOWNSTREAM, &PadBlock::Blocked, shared,
                                [](gpointer data) {
                                    TakeOver(data);
                                    delete static_cast<std::shared_ptr<State>*>(data);
                                });
    }
    ~PadBlock() { Release(); }
    PadBlock(const PadBlock&) = delete;
    PadBlock& operator=(const PadBlock&) = delete;

    bool Wait(std::chrono::milliseconds limit) {
        std::unique_lock lock(state_->mutex);
        return state_->held.wait_for(lock, limit, [&] { return state_->blocked; });
    }
    void Release() {
        if (id_ != 0) {
            gst_pad_remove_probe(pad_, id_);
            id_ = 0;
        }
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable held;
        bool blocked = false;
    };
    static GstPadProbeReturn Blocked(GstPad*, GstPadProbeInfo*, gpointer data) {
        TakeOver(data);
        State& state = **static_cast<std::shared_ptr<State>*>(data);
        {
            std::lock_guard lock(state.mutex);
            state.blocked = true;
        }
        state.held.notify_all();
        return GST_PAD_PROBE_OK;
    }

    GstPad* pad_;
    std::shared_ptr<State> state_;
    gulong id_ = 0;
};

ElementRef NewPipeline() {
    EnsureGstInitialized();
    return ElementRef::Sink(gst_pipeline_new(nullptr));
}

} // namespace

MediaGraph::MediaGraph(const FilterCatalogue& catalogue, RendererFactory& renderers)
    : catalogue_(catalogue), renderers_(renderers), pipeline_(NewPipeline()), repair_(pipeline_.get()) {
    BusRef bus = BusRef::Adopt(gst_element_get_bus(pipeline_.get()));
    // The bus handler and the element signals run on GStreamer's threads.
    HandOver(this);
    gst_bus_set_sync_handler(bus.get(), &MediaGraph::BusThunk, this, nullptr);
}

// Streaming threads end with the pipeline's change to null; then the repair's checks end, so that only
// this graph holds the pipeline and its elements, and the bus handler and the signals let go of it.
MediaGraph::~MediaGraph() {
    gst_element_set_state(pipeline_.get(), GST_STATE_NULL);
    repair_.Stop();
    BusRef bus = BusRef::Adopt(gst_element_get_bus(pipeline_.get()));
    gst_bus_set_sync_handler(bus.get(), nullptr, nullptr, nullptr);
    for (const ElementRef& element : owned_) {
        g_signal_handlers_disconnect_by_data(element.get(), this);
    }
}

HResult MediaGraph::AddFilter(const Guid& classId, const std::string& identifier) {
    const FilterResolution resolution = catalogue_.Resolve(classId);
    ElementRef element;
    switch (resolution.role) {
    case FilterRole::Factory:
        element = ElementRef::Sink(gst_element_factory_make(resolution.info->factoryName.c_str(), nullptr));
        break;
    case FilterRole::VideoRenderer:
        element = renderers_.CreateVideoRenderer();
        break;
    case FilterRole::AudioRenderer:
        element = renderers_.CreateAudioRenderer();
        break;
    case FilterRole::SampleGrabber:
        element = SampleGrabber::Create();
        break;
    case FilterRole::NotAvailable:
        return REGDB_E_CLASSNOTREG;
    }
    if (!element) {
        return E_FAIL;
    }
    return AddElement(std::move(element), classId, resolution.role, identifier);
}

HResult MediaGraph::AddElement(ElementRef element, const Guid& classId, FilterRole role,
                               const std::string& identifier) {
    std::lock_guard lock(modelMutex_);
    if (!gst_bin_add(GST_BIN(pipeline_.get()), element.get())) {
        return E_FAIL;
    }
    g_signal_connect(element.get(), "pad-added", G_CALLBACK(&MediaGraph::PadAddedThunk), this);
    g_signal_connect(element.get(), "no-more-pads", G_CALLBACK(&MediaGraph::NoMorePadsThunk), this);
    filters_.push_back({identifier, classId, role, element.get()});
    owned_.push_back(element);
    gst_element_sync_state_with_parent(element.get());
    return S_OK;
}

HResult MediaGraph::AddSourceFilter(const std::string& path, const std::string& identifier) {
    if (const HResult hr = CheckFile(path); Failed(hr)) {
        return hr;
    }
    static const Guid fileSource = *Guid::Parse("{E436EBB5-524F-11CE-9F53-0020AF0BA770}");
    if (const HResult hr = AddFilter(fileSource, identifier); Failed(hr)) {
        return hr;
    }
    std::lock_guard lock(modelMutex_);
    return LoadInto(filters_.back().element, path);
}

std::string MediaGraph::UniqueIdentifier(const std::string& base) const {
    std::string identifier = base;
    for (int n = 1; Find(identifier) != nullptr; ++n) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, " %04d", n);
        identifier = base + suffix;
    }
    return identifier;
}

const GraphFilter* MediaGraph::Find(std::string_view identifier) const {
    std::lock_guard lock(modelMutex_);
    const auto it = std::find_if(filters_.begin(), filters_.end(),
                                 [&](const GraphFilter& filter) { return filter.identifier == identifier; });
    return it == filters_.end() ? nullptr : &*it;
}

GstElement* MediaGraph::FindFilter(std::string_view identifier) const {
    std::lock_guard lock(modelMutex_);
    const GraphFilter* filter = Find(identifier);
    return filter != nullptr ? filter->element : nullptr;
}

std::vector<GraphFilter> MediaGraph::Filters() const {
    std::lock_guard lock(modelMutex_);
    return filters_;
}

std::vector<GstElement*> MediaGraph::FiltersWithRole(FilterRole role) const {
    std::lock_guard lock(modelMutex_);
    std::vector<GstElement*> elements;
    for (const GraphFilter& filter : filters_) {
        if (filter.role == role) {
            elements.push_back(filter.element);
        }
    }
    return elements;
}

std::vector<PinInfo> MediaGraph::Pins(std::string_view identifier) const {
    GstElement* element = FindFilter(identifier);
    return element != nullptr ? FilterPins::Enumerate(element) : std::vector<PinInfo>{};
}

HResult MediaGraph::RemoveFilter(std::string_view identifier) {
    std::lock_guard lock(modelMutex_);
    GstElement* element = FindFilter(identifier);
    if (element == nullptr) {
        return VFW_E_NOT_FOUND;
    }
    std::erase_if(pending_, [element](const PendingLink& link) {
        return link.source == element || link.sink == element;
    });
    announced_.erase(element);
    RemoveInserted(element);
    return S_OK;
}

HResult MediaGraph::Disconnect(const PinName& pin) {
    std::lock_guard lock(modelMutex_);
    GstElement* element = FindFilter(pin.filter);
    const std::string name = pin.pin;
    PadRef pad =
        element != nullptr ? PadRef::Adopt(gst_element_get_static_pad(element, name.c_str())) : PadRef();
    if (!pad) {
        return VFW_E_NOT_FOUND;
    }
    PadRef peer = PadRef::Adopt(gst_pad_get_peer(pad.get()));
    if (!peer) {
        return S_FALSE;
    }
    const bool output = GST_PAD_DIRECTION(pad.get()) == GST_PAD_SRC;
    return gst_pad_unlink(output ? pad.get() : peer.get(), output ? peer.get() : pad.get()) ? S_OK : E_FAIL;
}

HResult MediaGraph::LoadFile(std::string_view identifier, const std::string& path) {
    GstElement* element = FindFilter(identifier);
    return element != nullptr ? LoadInto(element, path) : VFW_E_NOT_FOUND;
}

HResult MediaGraph::LoadInto(GstElement* element, const std::string& path) {
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(element), "location") == nullptr) {
        return E_NOINTERFACE;
    }
    if (const HResult hr = CheckFile(path); Failed(hr)) {
        return hr;
    }
    if (GST_STATE(element) > GST_STATE_READY) {
        return VFW_E_WRONG_STATE;
    }
    g_object_set(element, "location", path.c_str(), nullptr);
    return S_OK;
}

std::optional<std::string> MediaGraph::SourceFile(std::string_view identifier) const {
    GstElement* element = FindFilter(identifier);
    if (element == nullptr ||
        g_object_class_find_property(G_OBJECT_GET_CLASS(element), "location") == nullptr) {
        return std::nullopt;
    }
    gchar* location = nullptr;
    g_object_get(element, "location", &location, nullptr);
    std::unique_ptr<gchar, GFreeDeleter> owned(location);
    return owned ? std::optional<std::string>(owned.get()) : std::nullopt;
}

HResult MediaGraph::ConnectDirect(const PinName& output, const PinName& input) {
    return Link(output, input, LinkKind::Direct);
}

HResult MediaGraph::Connect(const PinName& output, const PinName& input) {
    return Link(output, input, LinkKind::Intelligent);
}

HResult MediaGraph::Render(const PinName& output, RenderTarget target) {
    return Link(output, {},
                target == RenderTarget::NewRenderers ? LinkKind::Render : LinkKind::RenderExisting);
}

HResult MediaGraph::RenderAllPins(std::string_view identifier, RenderTarget target) {
    std::lock_guard lock(modelMutex_);
    GstElement* element = FindFilter(identifier);
    if (element == nullptr) {
        return VFW_E_NOT_FOUND;
    }
    const LinkKind kind = target == RenderTarget::NewRenderers ? LinkKind::Render : LinkKind::RenderExisting;
    HResult result = S_OK;
    for (const PinInfo& pin : FilterPins::Enumerate(element)) {
        if (pin.direction != PinDirection::Output || pin.connected) {
            continue;
        }
        if (pin.present) {
            PadRef pad = FilterPins::Find(element, pin.name);
            const HResult hr = RenderPad(pad.get(), kind);
            result = Failed(hr) ? VFW_S_PARTIAL_RENDER : result;
        } else if (pin.presence == PinPresence::Sometimes) {
            pending_.push_back({element, kAnyPin, nullptr, {}, kind});
        }
    }
    return result;
}

HResult MediaGraph::RenderFile(const std::string& path) {
    const std::string identifier = UniqueIdentifier(path);
    if (const HResult hr = AddSourceFilter(path, identifier); Failed(hr)) {
        return hr;
    }
    return Render({identifier, "src"});
}

SpliceResult MediaGraph::InsertBefore(std::string_view renderer, std::string_view filter) {
    PadRef input, upstream, filterInput, filterOutput;
    GstElement* inserted = nullptr;
    {
        std::lock_guard lock(modelMutex_);
        GstElement* sink = FindFilter(renderer);
        inserted = FindFilter(filter);
        input = sink != nullptr ? PadRef::Adopt(gst_element_get_static_pad(sink, "sink")) : PadRef();
        if (!input) {
            return {VFW_E_NOT_FOUND, SpliceStage::RendererInput};
        }
        upstream = PadRef::Adopt(gst_pad_get_peer(input.get()));
        if (!upstream) {
            return {VFW_E_NOT_CONNECTED, SpliceStage::NotConnected};
        }
        if (inserted != nullptr) {
            filterInput = PadRef::Adopt(gst_element_get_static_pad(inserted, "sink"));
            filterOutput = PadRef::Adopt(gst_element_get_static_pad(inserted, "src"));
        }
        if (!filterInput || !filterOutput) {
            return {VFW_E_NOT_FOUND, SpliceStage::FilterPins};
        }
    }
    Admit(inserted);
    gst_element_sync_state_with_parent(inserted);
    const bool paused = TargetState() == GST_STATE_PAUSED;
    const bool streaming = paused || TargetState() == GST_STATE_PLAYING;
    PadBlock block(upstream.get());
    // A paused graph holds data in its renderers: a flushing seek where it stands frees the streaming
    // thread and sends the data again, up to the blocked pin.
    if (streaming && (!paused || SeekInPlace())) {
        block.Wait(kSpliceLimit);
    }
    SpliceResult result;
    {
        std::lock_guard lock(modelMutex_);
        result = Relink(upstream.get(), input.get(), filterInput.get(), filterOutput.get());
    }
    block.Release();
    if (result.stage == SpliceStage::Done && paused) {
        result.hr = WaitForState(GST_STATE_PAUSED, std::chrono::steady_clock::now() + kSpliceLimit);
    }
    return result;
}

SpliceResult MediaGraph::Relink(GstPad* upstream, GstPad* input, GstPad* filterInput, GstPad* filterOutput) {
    if (!gst_pad_unlink(upstream, input)) {
        return {E_FAIL, SpliceStage::Disconnect};
    }
    if (const HResult hr = FromLinkReturn(gst_pad_link(upstream, filterInput)); Failed(hr)) {
        gst_pad_link(upstream, input);
        return {hr, SpliceStage::ConnectUpstream};
    }
    if (const HResult hr = FromLinkReturn(gst_pad_link(filterOutput, input)); Failed(hr)) {
        gst_pad_unlink(upstream, filterInput);
        gst_pad_link(upstream, input);
        return {hr, SpliceStage::ConnectDownstream};
    }
    return {S_OK, SpliceStage::Done};
}

bool MediaGraph::SeekInPlace() {
    gint64 position = 0;
    if (!gst_element_query_position(pipeline_.get(), GST_FORMAT_TIME, &position)) {
        position = 0;
    }
    return gst_element_seek_simple(pipeline_.get(), GST_FORMAT_TIME,
                                   GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), position);
}

// Resolves the output pin now, or records the link when the pin may still appear.
HResult MediaGraph::Link(const PinName& output, const PinName& input, LinkKind kind) {
    std::lock_guard lock(modelMutex_);
    GstElement* source = FindFilter(output.filter);
    const bool rendering = kind == LinkKind::Render || kind == LinkKind::RenderExisting;
    GstElement* sink = rendering ? nullptr : FindFilter(input.filter);
    if (source == nullptr || (!rendering && sink == nullptr)) {
        return VFW_E_NOT_FOUND;
    }
    if (PadRef pad = FilterPins::Find(source, output.pin)) {
        if (GST_PAD_DIRECTION(pad.get()) != GST_PAD_SRC) {
            return VFW_E_INVALID_DIRECTION;
        }
        return LinkPads(pad.get(), sink, input.pin, kind);
    }
    if (!FilterPins::MayAppear(source, output.pin)) {
        return VFW_E_NOT_FOUND;
    }
    pending_.push_back({source, output.pin, sink, input.pin, kind});
    return S_OK;
}

HResult MediaGraph::LinkPads(GstPad* output, GstElement* sink, const std::string& sinkPin, LinkKind kind) {
    if (kind == LinkKind::Render || kind == LinkKind::RenderExisting) {
        return gst_pad_is_linked(output) ? VFW_E_ALREADY_CONNECTED : RenderPad(output, kind);
    }
    PadRef input = FilterPins::Find(sink, sinkPin);
    if (!input) {
        return VFW_E_NOT_FOUND;
    }
    if (GST_PAD_DIRECTION(input.get()) != GST_PAD_SINK) {
        return VFW_E_INVALID_DIRECTION;
    }
    HResult hr = FromLinkReturn(gst_pad_link(output, input.get()));
    if (hr == VFW_E_NO_ACCEPTABLE_TYPES && kind == LinkKind::Intelligent) {
        hr = LinkThroughDecoder(output, input.get());
    }
    if (Succeeded(hr)) {
        Admit(sink);
    }
    return hr;
}

HResult MediaGraph::LinkThroughDecoder(GstPad* output, GstPad* input) {
    // Decoders expect whole frames: an elementary stream the demuxer marks unparsed gets a parser first.
    GstElement* parser =
        NeedsParser(output) ? InsertBestOf(GST_ELEMENT_FACTORY_TYPE_PARSER, output, nullptr) : nullptr;
    PadRef parsed = parser != nullptr ? PadRef::Adopt(gst_element_get_static_pad(parser, "src")) : PadRef();
    if (InsertBestOf(GST_ELEMENT_FACTORY_TYPE_DECODER, parsed ? parsed.get() : output, input) != nullptr) {
        return S_OK;
    }
    if (parser != nullptr) {
        RemoveInserted(parser);
    }
    return VFW_E_CANNOT_CONNECT;
}

// Tries the factories of the type that take the output's caps (and, with an input, give what it takes)
// by rank, autoplugging rank and above only; the first that links stays in the graph.
GstElement* MediaGraph::InsertBestOf(GstElementFactoryListType type, GstPad* output, GstPad* input) {
    CapsRef outputCaps = PadCaps(output);
    GList* all = gst_element_factory_list_get_elements(type, GST_RANK_MARGINAL);
    GList* candidates = gst_element_factory_list_filter(all, outputCaps.get(), GST_PAD_SINK, FALSE);
    if (input != nullptr) {
        CapsRef inputCaps = PadCaps(input);
        GList* fitting = gst_element_factory_list_filter(candidates, inputCaps.get(), GST_PAD_SRC, FALSE);
        gst_plugin_feature_list_free(candidates);
        candidates = fitting;
    }
    candidates = g_list_sort(candidates, gst_plugin_feature_rank_compare_func);
    GstElement* inserted = nullptr;
    for (GList* item = candidates; item != nullptr && inserted == nullptr; item = item->next) {
        inserted = TryInsert(GST_ELEMENT_FACTORY(item->data), output, input);
    }
    gst_plugin_feature_list_free(candidates);
    gst_plugin_feature_list_free(all);
    return inserted;
}

GstElement* MediaGraph::TryInsert(GstElementFactory* factory, GstPad* output, GstPad* input) {
    ElementRef element = ElementRef::Sink(gst_element_factory_create(factory, nullptr));
    const std::string name = GST_OBJECT_NAME(factory);
    const FilterInfo* info = catalogue_.FindByFactoryName(name);
    if (!element || Failed(AddElement(element, FilterCatalogue::ClassIdForFactory(name), FilterRole::Factory,
                                      UniqueIdentifier(info != nullptr ? info->friendlyName : name)))) {
        return nullptr;
    }
    PadRef in = PadRef::Adopt(gst_element_get_static_pad(element.get(), "sink"));
    PadRef out = PadRef::Adopt(gst_element_get_static_pad(element.get(), "src"));
    const bool linked = in && out && gst_pad_link(output, in.get()) == GST_PAD_LINK_OK;
    if (linked && (input == nullptr || gst_pad_link(out.get(), input) == GST_PAD_LINK_OK)) {
        return element.get();
    }
    if (linked) {
        gst_pad_unlink(output, in.get());
    }
    RemoveInserted(element.get());
    return nullptr;
}

void MediaGraph::RemoveInserted(GstElement* element) {
    std::lock_guard lock(modelMutex_);
    std::erase_if(filters_, [element](const GraphFilter& filter) { return filter.element == element; });
    ElementRef keep = ElementRef::Share(element);
    std::erase_if(owned_, [element](const ElementRef& owned) { return owned.get() == element; });
    g_signal_handlers_disconnect_by_data(element, this);
    Discard(pipeline_.get(), element);
}

HResult MediaGraph::RenderPad(GstPad* output, LinkKind kind) {
    CapsRef caps = PadCaps(output);
    const std::string media = FirstStructureName(caps.get());
    if (media == "video/x-raw") {
        return LinkToRenderer(output, FilterRole::VideoRenderer, kind);
    }
    if (media == "audio/x-raw") {
        return LinkToRenderer(output, FilterRole::AudioRenderer, kind);
    }
    // What a decoder bin put out undecoded (subtitle text, for one) has no renderer here.
    if (IsDecoderBinPad(output)) {
        CountUnrendered(media);
        return VFW_E_CANNOT_RENDER;
    }
    return AddDecoderBin(output, kind);
}

HResult MediaGraph::LinkToRenderer(GstPad* output, FilterRole role, LinkKind kind) {
    GstElement* renderer = nullptr;
    if (kind == LinkKind::RenderExisting) {
        for (GstElement* candidate : FiltersWithRole(role)) {
            PadRef sink = PadRef::Adopt(gst_element_get_static_pad(candidate, "sink"));
            if (sink && !gst_pad_is_linked(sink.get())) {
                renderer = candidate;
                break;
            }
        }
    } else {
        ElementRef made = role == FilterRole::VideoRenderer ? renderers_.CreateVideoRenderer()
                                                            : renderers_.CreateAudioRenderer();
        if (made && Succeeded(AddElement(made, Guid(), role, UniqueIdentifier(RoleIdentifier(role))))) {
            renderer = made.get();
        }
    }
    PadRef sink =
        renderer != nullptr ? PadRef::Adopt(gst_element_get_static_pad(renderer, "sink")) : PadRef();
    if (!sink || gst_pad_link(output, sink.get()) != GST_PAD_LINK_OK) {
        CapsRef caps = PadCaps(output);
        CountUnrendered(FirstStructureName(caps.get()));
        return VFW_E_CANNOT_RENDER;
    }
    Admit(renderer);
    return S_OK;
}

// A renderer nothing feeds would never preroll and would hold the whole graph back: it sits out state
// changes (locked) until something is linked to it.
void MediaGraph::ParkIdleRenderers() {
    std::lock_guard lock(modelMutex_);
    for (const GraphFilter& filter : filters_) {
        if (filter.role != FilterRole::VideoRenderer && filter.role != FilterRole::AudioRenderer) {
            continue;
        }
        PadRef sink = PadRef::Adopt(gst_element_get_static_pad(filter.element, "sink"));
        const bool awaited = std::any_of(pending_.begin(), pending_.end(), [&](const PendingLink& link) {
            return link.sink == filter.element;
        });
        if (sink && !gst_pad_is_linked(sink.get()) && !awaited) {
            gst_element_set_locked_state(filter.element, TRUE);
        }
    }
}

void MediaGraph::Admit(GstElement* element) {
    if (gst_element_is_locked_state(element)) {
        gst_element_set_locked_state(element, FALSE);
        gst_element_sync_state_with_parent(element);
    }
}

HResult MediaGraph::AddDecoderBin(GstPad* output, LinkKind kind) {
    ElementRef decoder = ElementRef::Sink(gst_element_factory_make("decodebin", nullptr));
    if (!decoder) {
        return VFW_E_CANNOT_RENDER;
    }
    g_signal_connect(decoder.get(), "unknown-type", G_CALLBACK(&MediaGraph::UnknownTypeThunk), this);
    pending_.push_back({decoder.get(), kAnyPin, nullptr, {}, kind});
    const std::string identifier = UniqueIdentifier("Decoder");
    if (Failed(AddElement(decoder, FilterCatalogue::ClassIdForFactory("decodebin"), FilterRole::Factory,
                          identifier))) {
        return VFW_E_CANNOT_RENDER;
    }
    PadRef sink = PadRef::Adopt(gst_element_get_static_pad(decoder.get(), "sink"));
    return gst_pad_link(output, sink.get()) == GST_PAD_LINK_OK ? S_OK : VFW_E_CANNOT_RENDER;
}

void MediaGraph::CountUnrendered(std::string_view media) {
    std::lock_guard lock(modelMutex_);
    if (media.starts_with("video/")) {
        ++tally_.unrenderedVideo;
    } else if (media.starts_with("audio/")) {
        ++tally_.unrenderedAudio;
    } else {
        ++tally_.unrenderedOther;
    }
}

HResult MediaGraph::RenderResult() const {
    std::lock_guard lock(modelMutex_);
    if (tally_.unrenderedVideo > 0) {
        return VFW_S_VIDEO_NOT_RENDERED;
    }
    if (tally_.unrenderedAudio > 0) {
        return VFW_S_AUDIO_NOT_RENDERED;
    }
    return tally_.unrenderedOther > 0 ? VFW_S_PARTIAL_RENDER : S_OK;
}

void MediaGraph::OnPadAdded(GstElement* element, GstPad* pad) {
    if (GST_PAD_DIRECTION(pad) == GST_PAD_SRC) {
        LinkAppearedPad(element, pad);
        Notify();
    }
}

void MediaGraph::LinkAppearedPad(GstElement* element, GstPad* pad) {
    std::lock_guard lock(modelMutex_);
    const std::string name = GST_PAD_NAME(pad);
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
        if (it->source != element ||
            (it->sourcePin != kAnyPin && !FilterPins::TemplateMatches(it->sourcePin, name))) {
            continue;
        }
        const PendingLink link = *it;
        if (link.sourcePin != kAnyPin) {
            pending_.erase(it);
        } else {
            ++it->linked;
        }
        const HResult hr = LinkPads(pad, link.sink, link.sinkPin, link.kind);
        // Decoded streams nobody renders are counted, not fatal; a named link that fails is.
        if (Failed(hr) && link.sourcePin != kAnyPin) {
            Fail(VFW_E_CANNOT_CONNECT);
        }
        return;
    }
}

void MediaGraph::OnNoMorePads(GstElement* element) {
    {
        std::lock_guard lock(modelMutex_);
        announced_.insert(element);
    }
    Notify();
}

void MediaGraph::OnUnknownType(GstCaps* caps) {
    CountUnrendered(FirstStructureName(caps));
}

bool MediaGraph::HasNamedPendingLinks() const {
    return PendingLinks() != PendingState::None;
}

MediaGraph::PendingState MediaGraph::PendingLinks() const {
    std::lock_guard lock(modelMutex_);
    PendingState state = PendingState::None;
    for (const PendingLink& link : pending_) {
        const bool announced = announced_.contains(link.source);
        if (link.sourcePin == kAnyPin) {
            // A rule for every pad waits for the first one, unless the filter said there are none.
            if (link.linked == 0 && !announced) {
                return PendingState::Awaited;
            }
            continue;
        }
        if (!announced) {
            return PendingState::Awaited;
        }
        state = PendingState::Abandoned;
    }
    return state;
}

void MediaGraph::OnBusMessage(GstMessage* message) {
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR: {
        GError* error = nullptr;
        gst_message_parse_error(message, &error, nullptr);
        const HResult hr = ResultFromGError(error);
        std::string text = error != nullptr ? error->message : "";
        g_clear_error(&error);
        Fail(hr);
        events_.Push({EC_ERRORABORT, hr, 0, std::move(text)});
        return;
    }
    case GST_MESSAGE_EOS:
        events_.Push({EC_COMPLETE, S_OK, 0, {}});
        break;
    case GST_MESSAGE_STEP_DONE:
        events_.Push({EC_STEP_COMPLETE, 0, 0, {}});
        break;
    case GST_MESSAGE_STATE_CHANGED:
        repair_.Watch(message);
        break;
    default:
        break;
    }
    Notify();
}

void MediaGraph::Fail(HResult hr) {
    {
        std::lock_guard lock(stateMutex_);
        if (!failure_) {
            failure_ = hr;
        }
        ++generation_;
    }
    stateChanged_.notify_all();
}

std::optional<HResult> MediaGraph::Failure() const {
    std::lock_guard lock(stateMutex_);
    return failure_;
}

HResult MediaGraph::Preroll(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    HResult hr = ChangeState(GST_STATE_PAUSED, timeout);
    // Pads appear while data flows, and the renderers made for them preroll in turn: settle until every
    // named pin has appeared, or its filter said no more will, or time runs out.
    for (;;) {
        if (Failed(hr)) {
            // A stall or a generic stream failure (data pushed to unlinked pads) while named pins are still
            // missing is reported as the missing pin; specific errors keep their code.
            const bool generic = hr == VFW_E_TIMEOUT || hr == E_FAIL;
            return generic && HasNamedPendingLinks() ? VFW_E_NOT_FOUND : hr;
        }
        const std::uint64_t seen = Generation();
        const PendingState pending = PendingLinks();
        if (pending == PendingState::None) {
            hr = WaitForState(GST_STATE_PAUSED, deadline);
            if (Succeeded(hr) && PendingLinks() == PendingState::None) {
                return RenderResult();
            }
            continue;
        }
        if (pending == PendingState::Abandoned) {
            return VFW_E_NOT_FOUND;
        }
        hr = WaitForChange(seen, deadline);
    }
}

std::uint64_t MediaGraph::Generation() const {
    std::lock_guard lock(stateMutex_);
    return generation_;
}

HResult MediaGraph::WaitForChange(std::uint64_t seen, std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(stateMutex_);
    if (!stateChanged_.wait_until(lock, deadline, [&] { return generation_ != seen || failure_; })) {
        return VFW_E_TIMEOUT;
    }
    return failure_.value_or(S_OK);
}

void MediaGraph::Notify() {
    {
        std::lock_guard lock(stateMutex_);
        ++generation_;
    }
    stateChanged_.notify_all();
}

HResult MediaGraph::ChangeState(GstState state, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    if (state <= GST_STATE_READY) {
        std::lock_guard lock(stateMutex_);
        failure_.reset();
    }
    if (state >= GST_STATE_PAUSED && CurrentState(nullptr) < GST_STATE_PAUSED) {
        ParkIdleRenderers();
    }
    if (gst_element_set_state(pipeline_.get(), state) == GST_STATE_CHANGE_FAILURE) {
        return Failure().value_or(E_FAIL);
    }
    return WaitForState(state, deadline);
}

HResult MediaGraph::WaitForState(GstState state, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        std::uint64_t seen = 0;
        {
            std::lock_guard lock(stateMutex_);
            if (failure_) {
                return *failure_;
            }
            seen = generation_;
        }
        GstState current = GST_STATE_VOID_PENDING;
        const GstStateChangeReturn result = gst_element_get_state(pipeline_.get(), &current, nullptr, 0);
        if (result == GST_STATE_CHANGE_FAILURE) {
            return Failure().value_or(E_FAIL);
        }
        if (result != GST_STATE_CHANGE_ASYNC && current == state) {
            return S_OK;
        }
        std::unique_lock lock(stateMutex_);
        if (!stateChanged_.wait_until(lock, deadline, [&] { return generation_ != seen; })) {
            return VFW_E_TIMEOUT;
        }
    }
}

GstState MediaGraph::CurrentState(bool* changing) const {
    GstState current = GST_STATE_VOID_PENDING;
    const GstStateChangeReturn result = gst_element_get_state(pipeline_.get(), &current, nullptr, 0);
    if (changing != nullptr) {
        *changing = result == GST_STATE_CHANGE_ASYNC;
    }
    return current;
}

GstState MediaGraph::TargetState() const {
    GST_OBJECT_LOCK(pipeline_.get());
    const GstState target = GST_STATE_TARGET(pipeline_.get());
    GST_OBJECT_UNLOCK(pipeline_.get());
    return target;
}

void MediaGraph::PadAddedThunk(GstElement* element, GstPad* pad, gpointer self) {
    TakeOver(self);
    static_cast<MediaGraph*>(self)->OnPadAdded(element, pad);
}

void MediaGraph::NoMorePadsThunk(GstElement* element, gpointer self) {
    TakeOver(self);
    static_cast<MediaGraph*>(self)->OnNoMorePads(element);
}

void MediaGraph::UnknownTypeThunk(GstElement*, GstPad*, GstCaps* caps, gpointer self) {
    TakeOver(self);
    static_cast<MediaGraph*>(self)->OnUnknownType(caps);
}

// A sync handler that drops a message owns it: each one holds its source, the pipeline among them.
GstBusSyncReply MediaGraph::BusThunk(GstBus*, GstMessage* message, gpointer self) {
    TakeOver(self);
    static_cast<MediaGraph*>(self)->OnBusMessage(message);
    gst_message_unref(message);
    return GST_BUS_DROP;
}

} // namespace plat::media
