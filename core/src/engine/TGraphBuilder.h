#pragma once
// Building and releasing the engine's graph: the stored description runs on a new graph, the graph
// prerolls within a time limit so that pins made only once data flows exist, then the interfaces that
// playback needs are located. The graph log tells every step; status 13 ends every build.
#include "core/src/engine/TEngineCapture.h"
#include "core/src/engine/TEngineContext.h"
#include "core/src/engine/TEngineSetup.h"
#include "core/src/engine/TEngineTransport.h"
#include "core/src/filters/TFilterServices.h"
#include "core/src/graph/TGraphDescription.h"
#include "core/src/graph/TGraphLog.h"

class TGraphBuilder {
public:
    TGraphBuilder(TEngineContext& context, TGraphLog& log, TGraphDescription& description,
                  const TEngineSetup& setup, TEngineCapture& capture, TEngineTransport& transport);

    bool BuildGraph();
    void ReleaseInterfaces();
    // A new empty graph whose events wake the engine window.
    std::unique_ptr<TEngineGraph> MakeGraph();

private:
    bool RunDescription();
    bool LocateDvdNavigator();
    bool Preroll();
    bool LocateInterfaces();
    void FinishBuild(bool built);
    void ReplayMeritUndo();
    void ReportBuild() const;
    std::uint32_t CapabilityBits() const;
    // The filter catalogue with its merits, read from the registry at the first build.
    TFilterServices& Filters();

    TEngineContext& context_;
    TGraphLog& log_;
    TGraphDescription& description_;
    std::unique_ptr<TFilterServices> filters_;
    const TEngineSetup& setup_;
    TEngineCapture& capture_;
    TEngineTransport& transport_;
};
