#include "core/src/engine/TGraphBuilder.h"

#include "core/include/VokradNotifications.h"
#include "core/src/TCoreErrorTexts.h"
#include "core/src/engine/TEngineGraphSteps.h"
#include "core/src/framework/TCoreLogFile.h"
#include "core/src/graph/TGraphScript.h"
#include "platform/dvd/DvdNavigator.h"
#include "platform/dvd/DvdNavigatorElement.h"
#include "platform/text/CodePage.h"
#include "platform/text/Path.h"
#include "platform/win/Message.h"

using plat::media::Failed;
using plat::media::FilterRole;
using plat::media::HResult;

namespace {

constexpr TGraphLogKind Info = TGraphLogKind::Info;
constexpr TGraphLogKind Failure = TGraphLogKind::Failure;
// The file could not be played (values of the error).
constexpr std::uint32_t kUnplayableFile = 2;
// No DVD-Video volume could be located (value of the error).
constexpr std::uint32_t kNoDvdVolume = 2;
// The disc when "FileName" is empty: the usual mount point of the optical drive.
constexpr char kDefaultDvdDrive[] = "/media/cdrom";

// Failures of a graph that mean the file itself cannot be played.
bool IsUnplayableFile(HResult hr) {
    return hr == plat::media::VFW_E_UNKNOWN_FILE_TYPE || hr == plat::media::VFW_E_INVALID_FILE_FORMAT ||
           hr == plat::media::VFW_E_UNSUPPORTED_STREAM || hr == plat::media::VFW_E_CANNOT_LOAD_SOURCE_FILTER;
}

const char* YesNo(bool value) {
    return value ? "Yes" : "No";
}

} // namespace

TGraphBuilder::TGraphBuilder(TEngineContext& context, TGraphLog& log, TGraphDescription& description,
                             const TEngineSetup& setup, TEngineCapture& capture, TEngineTransport& transport)
    : context_(context), log_(log), description_(description), setup_(setup), capture_(capture),
      transport_(transport) {}

TFilterServices& TGraphBuilder::Filters() {
    if (!filters_) {
        plat::dvd::DvdNavigatorElement::Register(); // the catalogue lists the navigator from now on
        filters_ = std::make_unique<TFilterServices>(setup_.filterFolder);
    }
    return *filters_;
}

std::unique_ptr<TEngineGraph> TGraphBuilder::MakeGraph() {
    const plat::win::HWND window = context_.window;
    return std::make_unique<TEngineGraph>(
        Filters().Catalogue(), *setup_.renderers, setup_.controlTimeout,
        [window] { plat::win::PostMessage(window, TEngineContext::kGraphNotify, 0, 0); });
}

bool TGraphBuilder::BuildGraph() {
    context_.BeginBuild();
    context_.mediaName.reset();
    log_.Clear();
    log_.Write(true, TGraphLogKind::Document, u" ");
    log_.Write(false, Info, u"Starting Graph Creation");
    ReplayMeritUndo();
    bool built = false;
    if (description_.Text() == nullptr) {
        log_.Write(false, Failure, u"No XGR Graph found");
    } else {
        ReleaseInterfaces();
        context_.SetGraph(MakeGraph());
        built = RunDescription() && LocateInterfaces();
        if (!built) {
            log_.Write(false, Failure, u"GRAPH CREATION FAILED");
            ReleaseInterfaces();
        }
    }
    FinishBuild(built);
    return built;
}

// The merits the description's forbidden filters lowered come back as soon as it has run and the
// graph has prerolled: connections to pins that appear only once data flows are made while they are
// still lowered.
bool TGraphBuilder::RunDescription() {
    TEngineGraphSteps steps(
        context_, log_, description_, Filters().Merits(), Filters().Catalogue(),
        [this] { return MakeGraph(); }, setup_.prerollLimit);
    const bool built =
        !TGraphScript(steps).Run(description_.Text(), false) && LocateDvdNavigator() && Preroll();
    ReplayMeritUndo();
    return built;
}

void TGraphBuilder::ReplayMeritUndo() {
    if (Filters().Merits().ReplayMeritUndo()) {
        Filters().Merits().RefreshFilterCache();
    }
}

// Pins made only once data flows appear while the graph prerolls; what the graph cannot do shows here.
bool TGraphBuilder::Preroll() {
    if (!context_.graph) {
        return true; // a multimedia-stream graph that could not be made fails in locating its interfaces
    }
    const HResult hr = context_.graph->Media().Preroll(setup_.prerollLimit);
    if (Failed(hr)) {
        log_.WriteFormat(false, Failure, u"Unable to preroll the graph (%hs)",
                         std::string(plat::media::ResultName(hr)));
        if (IsUnplayableFile(hr)) {
            context_.RaiseError(TCoreErrorTexts::kFilePlayback, kUnplayableFile, 0);
        } else {
            context_.RaiseError(TCoreErrorTexts::kGraphFailed, 0, static_cast<std::uint32_t>(hr));
        }
        return false;
    }
    return true;
}

// The navigator needs its disc before the graph can preroll: the variable "FileName" names it (empty:
// the default drive). A disc that cannot be read fails the build and is told as a missing volume.
bool TGraphBuilder::LocateDvdNavigator() {
    if (!context_.graph) {
        return true;
    }
    plat::media::MediaGraph& media = context_.graph->Media();
    for (const plat::media::GraphFilter& filter : media.Filters()) {
        plat::dvd::DvdNavigator* navigator =
            plat::dvd::DvdNavigatorElement::Navigator(media.FindFilter(filter.identifier));
        if (navigator == nullptr) {
            continue;
        }
        navigator->SetEventListener(
            [&media](const plat::media::GraphEvent& event) { media.Events().Push(event); });
        navigator->SetHmsfTimeCodeEvents(true);
        context_.dvd = navigator; // released with the graph, which also lets go of the listener
        std::u16string directory;
        if (description_.GetGraphVariable(u"FileName", directory)) {
            const std::string path =
                directory.empty() ? std::string(kDefaultDvdDrive) : plat::text::WideToAnsi(directory);
            const HResult hr = navigator->SetDvdDirectory(plat::text::path::Normalize(path));
            if (Failed(hr)) {
                TCoreLogFile::Instance().WriteNarrow("\nLOCATEINTERFACE : Unable to set the DVD directory");
            }
            if (hr == plat::media::E_INVALIDARG) {
                log_.Write(false, Failure, u"No valid DVD-Video volume could be located");
                context_.RaiseError(TCoreErrorTexts::kNoDvdVolume, kNoDvdVolume, 0);
                return false;
            }
        }
        return true;
    }
    return true;
}

bool TGraphBuilder::LocateInterfaces() {
    log_.Write(false, Info, u"Locating Interfaces");
    if (!context_.graph) {
        return false;
    }
    TEngineGraph& graph = *context_.graph;
    if (!context_.mediaName) {
        if (const auto file = graph.SourceFile()) {
            context_.mediaName = plat::text::AnsiToWide(*file);
        }
    }
    if (graph.sampleGrabber.empty()) {
        for (const plat::media::GraphFilter& filter : graph.Media().Filters()) {
            if (filter.role == FilterRole::SampleGrabber && graph.sampleGrabber.empty()) {
                graph.sampleGrabber = filter.identifier;
            }
        }
    }
    TLocatedInterfaces& located = context_.located;
    located.basicVideo = graph.HasRole(FilterRole::VideoRenderer);
    located.basicAudio = graph.HasRole(FilterRole::AudioRenderer);
    located.seeking = graph.Seekable();
    // Every video renderer here mixes: the video is shown through the subtitle screen.
    located.videoWindow = located.basicVideo;
    located.windowless = located.basicVideo || graph.windowless;
    located.sampleGrabber = !graph.sampleGrabber.empty();
    if (context_.DvdMode()) {
        located.seeking = false; // positions and jumps go through the navigator
    }
    TCoreLogFile& debug = TCoreLogFile::Instance();
    if (!located.basicVideo) {
        debug.WriteNarrow("\nLOCATEINTERFACE : No BasicVideo filter found...");
        debug.WriteNarrow("\nLOCATEINTERFACE : No VideoWindow filter found...");
    }
    if (!located.basicAudio) {
        debug.WriteNarrow("\nLOCATEINTERFACE : No BasicAudio filter found...");
    }
    if (!located.seeking) {
        debug.WriteNarrow("\nLOCATEINTERFACE : No MediaSeeking filter found...");
    }
    return true;
}

std::uint32_t TGraphBuilder::CapabilityBits() const {
    const TLocatedInterfaces& located = context_.located;
    return (located.videoWindow ? kConfigVideoWindow : 0) | (context_.DvdMode() ? kConfigDvd : 0) |
           (located.sampleGrabber ? kConfigSampleGrabber : 0) | (located.windowless ? kConfigWindowless : 0);
}

void TGraphBuilder::ReportBuild() const {
    const TLocatedInterfaces& located = context_.located;
    TCoreLogFile& debug = TCoreLogFile::Instance();
    debug.WriteNarrow("\n::: GRAPH CREATION REPORT :::");
    debug.WriteNarrow("\nBUILDGRAPH: Graph Report :\n");
    debug.WriteNarrow("\nBUILDGRAPH: Video   : %s", YesNo(located.videoWindow));
    debug.WriteNarrow("\nBUILDGRAPH: Overlay : %s", YesNo(false));
    debug.WriteNarrow("\nBUILDGRAPH: Dvd     : %s", YesNo(context_.DvdMode()));
    debug.WriteNarrow("\nBUILDGRAPH: SGrab   : %s", YesNo(located.sampleGrabber));
    debug.WriteNarrow("\nBUILDGRAPH: WMR9    : %s", YesNo(located.windowless));
}

void TGraphBuilder::FinishBuild(bool built) {
    if (built) {
        context_.ChangePlayState(TPlayState::Stopped);
        ReportBuild();
        context_.RaiseStatus(kStatusConfiguration, CapabilityBits(), 0);
        transport_.UpdatePositionClock();
    }
    log_.Write(false, Info, u"Graph Building Finished");
    log_.Write(false, TGraphLogKind::Document, nullptr);
    context_.EndBuild();
    context_.RaiseStatus(kStatusGraphBuilt, 0, 0);
}

void TGraphBuilder::ReleaseInterfaces() {
    TCoreLogFile::Instance().WriteNarrow("\nRELEASEINTERFACES: Releasing the interfaces");
    if (context_.graph) {
        transport_.StopPlayback(true);
        if (context_.dvd != nullptr) {
            context_.dvd->SetEventListener(nullptr); // its thread stops with the graph
        }
        context_.SetGraph(nullptr);
    }
    capture_.Release();
    context_.dvd = nullptr;
    context_.inDvdMenu = false;
    context_.dvdDiscAnnounced = false;
    context_.located = {};
    context_.firstQuery = true;
    context_.playState = TPlayState::NoGraph;
}
