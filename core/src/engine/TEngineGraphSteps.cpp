#include "core/src/engine/TEngineGraphSteps.h"

#include "core/include/VokradNotifications.h"
#include "core/src/TCoreErrorTexts.h"
#include "core/src/framework/TCoreLogFile.h"
#include "core/src/graph/TGraphFile.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"

#include <algorithm>

using plat::media::Failed;
using plat::media::FilterRole;
using plat::media::Guid;
using plat::media::PinDirection;
using plat::media::PinInfo;
using plat::media::Succeeded;
using plat::text::AnsiToWide;
using plat::text::WideToAnsi;

namespace {

constexpr TGraphLogKind Info = TGraphLogKind::Info;
constexpr TGraphLogKind Success = TGraphLogKind::Success;
constexpr TGraphLogKind Failure = TGraphLogKind::Failure;

constexpr char kVmr9Clsid[] = "{51B4ABF3-748F-4E3B-A276-C828330E926A}";
constexpr char kVmr7Clsid[] = "{B87BEB7B-8D29-423F-AE4D-6582C10175AC}";
constexpr char kVideoRendererClsid[] = "{70E102B0-5556-11CE-97C0-00AA0055595A}";
constexpr int kScreenBitsPerPixel = 32;

// The first group "{...}" at or after `from`, braces included; empty when there is none.
std::u16string BracedGroup(const std::u16string& text, std::size_t& from) {
    const std::size_t open = text.find(u'{', from);
    const std::size_t close = open == std::u16string::npos ? open : text.find(u'}', open);
    if (close == std::u16string::npos) {
        return {};
    }
    from = close + 1;
    return text.substr(open, close - open + 1);
}

std::optional<std::size_t> PinIndex(const std::u16string& pin) {
    if (pin.size() < 3 || !pin.starts_with(u"##")) {
        return std::nullopt;
    }
    std::size_t index = 0;
    for (char16_t c : pin.substr(2)) {
        if (c < u'0' || c > u'9' || index > 1000000) {
            return std::nullopt;
        }
        index = index * 10 + static_cast<std::size_t>(c - u'0');
    }
    return index;
}

std::vector<PinInfo> PinsOf(plat::media::MediaGraph& graph, const std::string& filter,
                            PinDirection direction) {
    std::vector<PinInfo> pins = graph.Pins(filter);
    std::erase_if(pins, [&](const PinInfo& pin) { return pin.direction != direction; });
    return pins;
}

bool IsNotFound(plat::media::HResult hr) {
    return hr == plat::media::FILE_NOT_FOUND_RESULT || hr == plat::media::PATH_NOT_FOUND_RESULT;
}

} // namespace

TEngineGraphSteps::TEngineGraphSteps(TEngineContext& context, TGraphLog& log, TGraphDescription& description,
                                     TFilterMerits& merits, const plat::media::FilterCatalogue& catalogue,
                                     TGraphMaker makeGraph, std::chrono::milliseconds prerollLimit)
    : context_(context), log_(log), description_(description), merits_(merits), catalogue_(catalogue),
      makeGraph_(std::move(makeGraph)), prerollLimit_(prerollLimit) {}

void TEngineGraphSteps::GraphLog(bool open, TGraphLogKind kind, const char16_t* text) {
    log_.Write(open, kind, text);
}

bool TEngineGraphSteps::GetGraphVariable(const std::u16string& name, std::u16string& value) {
    return description_.GetGraphVariable(name, value);
}

bool TEngineGraphSteps::HasGraph() {
    return context_.graph != nullptr;
}

std::u16string TEngineGraphSteps::FriendlyName(const std::u16string& id,
                                               const plat::media::FilterResolution& resolution) {
    std::u16string name;
    if (resolution.alias != nullptr) {
        name = AnsiToWide(resolution.alias->name);
    } else if (resolution.info != nullptr) {
        name = AnsiToWide(resolution.info->friendlyName);
    } else {
        log_.Write(false, Failure, u"Filter Friendly Name Not Found");
        return id;
    }
    if (name.empty()) {
        log_.Write(false, Failure, u"Unable to get Filter Friendly Name");
        return id;
    }
    return name;
}

TGraphFilter* TEngineGraphSteps::AddFilterByClsid(const std::u16string& id, const std::u16string& clsid) {
    log_.WriteFormat(true, Info, u"Trying to Add filter %s - %s", id, clsid);
    const std::string clsidText = WideToAnsi(clsid);
    const std::optional<Guid> classId = Guid::Parse(clsidText);
    TGraphFilterEntry* entry = nullptr;
    if (classId && context_.graph) {
        const std::u16string friendly = FriendlyName(id, catalogue_.Resolve(*classId));
        const std::string name = Media().UniqueIdentifier(WideToAnsi(friendly));
        const plat::media::HResult hr = Media().AddFilter(*classId, name);
        if (hr == plat::media::REGDB_E_CLASSNOTREG) {
            log_.WriteFormat(false, Failure, u"Unable to Create Filter Instance : %s", id);
        } else if (Failed(hr)) {
            log_.WriteFormat(false, Failure, u"Unable to Add Filter %s To Graph", id);
        } else {
            entry = &context_.graph->AddEntry(id, name);
            log_.WriteFormat(false, Success, u"Filter Added to Graph : %s (%s)", AnsiToWide(name),
                             entry->Identifier());
        }
    }
    if (entry != nullptr && *classId == *Guid::Parse(kVmr9Clsid)) {
        log_.Write(false, Info, u"VMR9 Filter Detected");
        context_.graph->windowless = true;
    } else if (entry != nullptr && *classId == *Guid::Parse(kVmr7Clsid)) {
        log_.Write(false, Info, u"VMR7 Filter Detected");
    }
    log_.Write(false, Info, nullptr);
    return entry;
}

TGraphFilter* TEngineGraphSteps::AddDmoFilterByName(const std::u16string& id,
                                                    const std::u16string& displayName) {
    std::size_t at = 0;
    const std::u16string dmoClass = BracedGroup(displayName, at);
    const std::u16string category = dmoClass.empty() ? std::u16string() : BracedGroup(displayName, at);
    return category.empty() ? nullptr : AddDmoFilter(id, dmoClass, category);
}

// DirectX media objects do not exist here: no wrapper can be made, so nothing is added.
TGraphFilter* TEngineGraphSteps::AddDmoFilter(const std::u16string&, const std::u16string&,
                                              const std::u16string&) {
    return nullptr;
}

bool TEngineGraphSteps::FindFilterById(const std::u16string& id, TGraphFilter*& filter) {
    TGraphFilterEntry* entry = context_.graph ? context_.graph->FindEntry(id) : nullptr;
    filter = entry;
    return entry != nullptr;
}

// Renderers that rendering adds appear only once data flows: the graph prerolls before it is searched.
TGraphFilter* TEngineGraphSteps::FindFilterByName(const std::u16string& name) {
    if (!context_.graph) {
        return nullptr;
    }
    Media().Preroll(prerollLimit_);
    const std::string graphName = WideToAnsi(name);
    return Media().FindFilter(graphName) != nullptr ? &context_.graph->NameHandle(graphName) : nullptr;
}

bool TEngineGraphSteps::SetSourceFile(const std::u16string& file, TGraphFilter* filter) {
    context_.mediaName.reset();
    if (file.empty()) {
        return false;
    }
    context_.mediaName = file;
    auto* entry = static_cast<TGraphFilterEntry*>(filter);
    if (entry == nullptr || !context_.graph) {
        return false;
    }
    log_.WriteFormat(true, Info, u"Set the Filename to %s", file);
    const plat::media::HResult hr =
        Media().LoadFile(entry->GraphName(), plat::text::path::Normalize(WideToAnsi(file)));
    if (Succeeded(hr)) {
        log_.Write(false, Success, u"Success");
    } else if (hr == plat::media::E_NOINTERFACE) {
        log_.Write(false, Failure, u"Unable to get the FileSource Interface");
    } else if (IsNotFound(hr)) {
        log_.Write(false, Failure, u"File Not Found");
        context_.RaiseError(TCoreErrorTexts::kFileNotFound, 4, 0);
    } else {
        log_.Write(false, Failure, u"FAILED");
    }
    log_.Write(false, Info, nullptr);
    return Succeeded(hr);
}

std::string TEngineGraphSteps::ChoosePin(const std::string& filter, const std::u16string& pin,
                                         PinDirection direction, const char16_t* missing,
                                         const char16_t* fallback) {
    GstElement* element = Media().FindFilter(filter);
    const std::string name = WideToAnsi(pin);
    if (!name.empty()) {
        plat::media::PadRef pad = plat::media::FilterPins::Find(element, name);
        const bool fits =
            pad ? (GST_PAD_DIRECTION(pad.get()) == GST_PAD_SRC) == (direction == PinDirection::Output)
                : plat::media::FilterPins::MayAppear(element, name);
        if (fits) {
            return name;
        }
        log_.WriteFormat(false, Failure, plat::text::Runtime(missing), pin);
    }
    log_.Write(false, Info, fallback);
    const std::vector<PinInfo> pins = PinsOf(Media(), filter, direction);
    return pins.empty() ? std::string() : pins.front().name;
}

bool TEngineGraphSteps::ConnectPins(const std::u16string& source, const std::u16string& sourcePin,
                                    const std::u16string& destination, const std::u16string& destinationPin,
                                    bool direct) {
    if (!context_.graph) {
        return false;
    }
    log_.WriteFormat(true, Info, u"Connect PIN %s->%s to PIN %s->%s", source, sourcePin, destination,
                     destinationPin);
    bool connected = false;
    TGraphFilterEntry* from = context_.graph->FindEntry(source);
    TGraphFilterEntry* to = context_.graph->FindEntry(destination);
    if (from == nullptr) {
        log_.WriteFormat(false, Failure, u"Unable to find the source filter (%s)", source);
    } else if (to == nullptr) {
        log_.WriteFormat(false, Failure, u"Unable to find the destination filter (%s)", destination);
    } else {
        const std::string output =
            ChoosePin(from->GraphName(), sourcePin, PinDirection::Output,
                      u"Unable to find the source PIN (%s)", u"Try to get the first output pin instead");
        const std::string input = output.empty()
                                      ? std::string()
                                      : ChoosePin(to->GraphName(), destinationPin, PinDirection::Input,
                                                  u"Unable to find the Destination PIN (%s)",
                                                  u"Try to get the first input pin instead");
        if (output.empty()) {
            log_.Write(false, Failure, u"No valid source PIN");
        } else if (input.empty()) {
            log_.Write(false, Failure, u"No valid destination PIN");
        } else {
            const plat::media::PinName out{from->GraphName(), output};
            const plat::media::PinName in{to->GraphName(), input};
            connected =
                (direct ? Media().ConnectDirect(out, in) : Media().Connect(out, in)) == plat::media::S_OK;
            if (connected) {
                log_.Write(false, Success, u"Connect Successfull");
            } else {
                log_.WriteFormat(false, Failure, u"Unable to Connect %s the two PIN",
                                 std::u16string(direct ? u"Direct" : u""));
            }
        }
    }
    log_.Write(false, Info, nullptr);
    return connected;
}

bool TEngineGraphSteps::RenderPin(const std::u16string& id, const std::u16string& pin,
                                  bool onlyExistingRenderers) {
    if (!context_.graph) {
        return false;
    }
    log_.WriteFormat(true, Info, u"Render PIN %s of Filter %s", pin, id);
    if (plat::text::EqualsNoCase(id, u"All") && plat::text::EqualsNoCase(pin, u"All")) {
        for (const plat::media::GraphFilter& filter : Media().Filters()) {
            RenderAllPins(filter.identifier, onlyExistingRenderers);
        }
    } else if (TGraphFilterEntry* entry = context_.graph->FindEntry(id); entry == nullptr) {
        log_.WriteFormat(false, Failure, u"Unable to find Filter %s", id);
    } else {
        TCoreLogFile::Instance().WriteWide(u"\nRender Pin from filter : %s", id);
        const std::string filter = entry->GraphName();
        if (plat::text::EqualsNoCase(pin, u"All")) {
            RenderAllPins(filter, onlyExistingRenderers);
        } else if (pin.starts_with(u"##")) {
            const std::vector<PinInfo> outputs = PinsOf(Media(), filter, PinDirection::Output);
            const std::optional<std::size_t> index = PinIndex(pin);
            if (index && *index >= outputs.size()) {
                TCoreLogFile::Instance().WriteNarrow("\nUnable to find the pin");
            } else {
                RenderChosenPin(filter, index ? outputs[*index].name : std::string(), pin,
                                onlyExistingRenderers);
            }
        } else if (GstElement* element = Media().FindFilter(filter);
                   !plat::media::FilterPins::Find(element, WideToAnsi(pin)) &&
                   !plat::media::FilterPins::MayAppear(element, WideToAnsi(pin))) {
            log_.Write(false, Failure, u"Unable to find the PIN to Render");
        } else {
            RenderChosenPin(filter, WideToAnsi(pin), pin, onlyExistingRenderers);
        }
    }
    log_.Write(false, Info, nullptr);
    return false;
}

void TEngineGraphSteps::RenderChosenPin(const std::string& filter, const std::string& pin,
                                        const std::u16string& pinText, bool onlyExistingRenderers) {
    const plat::media::HResult hr =
        pin.empty() ? plat::media::VFW_E_NOT_FOUND
                    : Media().Render({filter, pin}, onlyExistingRenderers
                                                        ? plat::media::RenderTarget::ExistingRenderers
                                                        : plat::media::RenderTarget::NewRenderers);
    if (onlyExistingRenderers) {
        if (Failed(hr)) {
            log_.Write(false, Failure, u"Unable to RenderEX the PIN");
        }
    } else if (hr == plat::media::S_OK) {
        log_.WriteFormat(false, Success, u"PIN %s Rendered Successfully", pinText);
    } else {
        log_.Write(false, Failure, u"Unable to Render the PIN");
    }
}

// Pins that appear only once data flows are rendered as they appear.
bool TEngineGraphSteps::RenderAllPins(const std::string& filter, bool onlyExistingRenderers) {
    const auto target = onlyExistingRenderers ? plat::media::RenderTarget::ExistingRenderers
                                              : plat::media::RenderTarget::NewRenderers;
    bool awaited = false;
    for (const PinInfo& pin : PinsOf(Media(), filter, PinDirection::Output)) {
        if (pin.connected) {
            continue;
        }
        if (!pin.present) {
            awaited = awaited || pin.presence == plat::media::PinPresence::Sometimes;
            continue;
        }
        const plat::media::HResult hr = Media().Render({filter, pin.name}, target);
        if (Failed(hr)) {
            log_.Write(false, Failure,
                       onlyExistingRenderers ? u"RENDERALLPIN : Unable to RenderEX PIN"
                                             : u"RENDERALLPIN : Unable to Render PIN");
        } else if (!onlyExistingRenderers) {
            log_.Write(false, Success, u"RENDERALLPIN : PIN Rendered Successfully");
        }
    }
    if (awaited && Succeeded(Media().RenderAllPins(filter, target)) && !onlyExistingRenderers) {
        log_.Write(false, Success, u"RENDERALLPIN : PIN Rendered Successfully");
    }
    return true;
}

bool TEngineGraphSteps::RenderFile(const std::u16string& file) {
    return context_.graph && Succeeded(Media().RenderFile(plat::text::path::Normalize(WideToAnsi(file))));
}

std::int32_t TEngineGraphSteps::LoadGrf(const std::u16string& file) {
    TGraphFile files(log_, TCoreLogFile::Instance());
    return files.Load(context_.graph ? &Media() : nullptr, file);
}

// A graph around the file's video only, rendered to a video renderer added first.
bool TEngineGraphSteps::CreateMultimediaGraph(const std::u16string& file) {
    context_.SetGraph(nullptr);
    std::unique_ptr<TEngineGraph> graph = makeGraph_();
    plat::media::MediaGraph& media = graph->Media();
    const std::string source = "Source";
    if (Failed(media.AddSourceFilter(plat::text::path::Normalize(WideToAnsi(file)), source))) {
        return true;
    }
    context_.SetGraph(std::move(graph));
    AddFilterByClsid(u"Video Renderer", AnsiToWide(kVideoRendererClsid));
    Media().Render({source, "src"}, plat::media::RenderTarget::ExistingRenderers);
    return true;
}

int TEngineGraphSteps::ScreenBitsPerPixel() {
    return kScreenBitsPerPixel;
}

bool TEngineGraphSteps::InsertSampleGrabber(TGraphFilter* renderer, TGrabberSubtype subtype) {
    if (renderer == nullptr || !context_.graph) {
        return false;
    }
    log_.Write(true, Info, u"Trying to Add Sample Grabber to the Graph");
    auto* grabber = static_cast<TGraphFilterEntry*>(
        AddFilterByClsid(u"Sample_Grabber", AnsiToWide(TGrabberSplice::kSampleGrabberClsid)));
    TGrabberSpliceStage stage = TGrabberSpliceStage::NoGrabber;
    if (grabber != nullptr) {
        stage = TGrabberSplice::Splice(Media(), static_cast<TGraphFilterEntry*>(renderer)->GraphName(),
                                       grabber->GraphName(), subtype);
        LogSplice(stage);
        if (stage == TGrabberSpliceStage::Done) {
            context_.graph->sampleGrabber = grabber->GraphName();
        }
    }
    log_.Write(false, Info, nullptr);
    return stage == TGrabberSpliceStage::Done;
}

void TEngineGraphSteps::LogSplice(TGrabberSpliceStage stage) {
    static constexpr std::pair<TGrabberSpliceStage, const char16_t*> kTexts[] = {
        {TGrabberSpliceStage::NoGrabber, u"Unable to set MediaType (1)"},
        {TGrabberSpliceStage::MediaType, u"Unable to set MediaType (2)"},
        {TGrabberSpliceStage::RendererInput, u"Unable to get the Video Renderer Input pin (2)"},
        {TGrabberSpliceStage::NotConnected, u"Video Renderer not connected"},
        {TGrabberSpliceStage::Disconnect, u"Unable to disconnect Video Renderer (1)"},
        {TGrabberSpliceStage::GrabberPins, u"Unable get PINS of the Sample Grabber (2)"},
        {TGrabberSpliceStage::ConnectUpstream, u"Unable to connect FilterBefore to Sample Grabber"},
        {TGrabberSpliceStage::ConnectDownstream, u"Unable to connect Sample Grabber to Video Renderer"},
    };
    for (const auto& [key, text] : kTexts) {
        if (key == stage) {
            log_.Write(false, Failure, text);
        }
    }
}

// No system here keeps a table of running graphs for outside tools, so nothing is registered: the log
// says so, and the step fails as it does where the table cannot be had.
std::int32_t TEngineGraphSteps::AddToRot() {
    if (context_.graph) {
        log_.Write(false, Info, u"Graph not added to R.O.T.: there is no Running Object Table");
    }
    return plat::media::E_FAIL;
}

bool TEngineGraphSteps::WriteMeritByName(const std::u16string& displayName, std::uint32_t merit) {
    return merits_.WriteMeritByName(displayName, merit);
}

bool TEngineGraphSteps::WriteMeritByClsid(const std::u16string& category, const std::u16string& clsid,
                                          std::uint32_t merit) {
    return merits_.WriteMeritByClsid(category, clsid, merit);
}

bool TEngineGraphSteps::ForbidFilterByName(const std::u16string& displayName) {
    log_.WriteFormat(true, Info, u"Forbid Usage of the following filter %s", displayName);
    return LogForbid(merits_.ForbidFilterByName(displayName));
}

bool TEngineGraphSteps::ForbidFilterByClsid(const std::u16string& category, const std::u16string& clsid) {
    log_.WriteFormat(true, Info, u"Forbid Usage of the following filter %s", clsid);
    return LogForbid(merits_.ForbidFilterByClsid(category, clsid));
}

bool TEngineGraphSteps::LogForbid(bool lowered) {
    log_.Write(false, lowered ? Success : Failure, lowered ? u"Success" : u"Failed");
    log_.Write(false, Info, nullptr);
    return lowered;
}

void TEngineGraphSteps::RefreshFilterCache() {
    merits_.RefreshFilterCache();
}
