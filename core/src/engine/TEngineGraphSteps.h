#pragma once
// The graph step operations of the engine on its current graph: filters added by class, found again
// by identifier or graph name, connected, rendered, given their source file, the sample grabber put in
// front of the video renderer, graph files loaded, merit changes, each outcome written to the graph
// log.
#include "core/src/engine/TEngineContext.h"
#include "core/src/engine/TGrabberSplice.h"
#include "core/src/filters/TFilterMerits.h"
#include "core/src/graph/TGraphDescription.h"
#include "core/src/graph/TGraphLog.h"
#include "core/src/graph/TGraphSteps.h"

#include <chrono>
#include <functional>
#include <memory>

class TEngineGraphSteps : public TGraphSteps {
public:
    using TGraphMaker = std::function<std::unique_ptr<TEngineGraph>()>;

    TEngineGraphSteps(TEngineContext& context, TGraphLog& log, TGraphDescription& description,
                      TFilterMerits& merits, const plat::media::FilterCatalogue& catalogue,
                      TGraphMaker makeGraph, std::chrono::milliseconds prerollLimit);

    void GraphLog(bool open, TGraphLogKind kind, const char16_t* text) override;
    bool GetGraphVariable(const std::u16string& name, std::u16string& value) override;
    bool HasGraph() override;
    TGraphFilter* AddFilterByClsid(const std::u16string& id, const std::u16string& clsid) override;
    TGraphFilter* AddDmoFilterByName(const std::u16string& id, const std::u16string& displayName) override;
    TGraphFilter* AddDmoFilter(const std::u16string& id, const std::u16string& clsid,
                               const std::u16string& category) override;
    bool FindFilterById(const std::u16string& id, TGraphFilter*& filter) override;
    TGraphFilter* FindFilterByName(const std::u16string& name) override;
    bool SetSourceFile(const std::u16string& file, TGraphFilter* filter) override;
    bool ConnectPins(const std::u16string& source, const std::u16string& sourcePin,
                     const std::u16string& destination, const std::u16string& destinationPin,
                     bool direct) override;
    bool RenderPin(const std::u16string& id, const std::u16string& pin, bool onlyExistingRenderers) override;
    bool RenderFile(const std::u16string& file) override;
    std::int32_t LoadGrf(const std::u16string& file) override;
    bool CreateMultimediaGraph(const std::u16string& file) override;
    int ScreenBitsPerPixel() override;
    bool InsertSampleGrabber(TGraphFilter* renderer, TGrabberSubtype subtype) override;
    std::int32_t AddToRot() override;
    bool WriteMeritByName(const std::u16string& displayName, std::uint32_t merit) override;
    bool WriteMeritByClsid(const std::u16string& category, const std::u16string& clsid,
                           std::uint32_t merit) override;
    bool ForbidFilterByName(const std::u16string& displayName) override;
    bool ForbidFilterByClsid(const std::u16string& category, const std::u16string& clsid) override;
    void RefreshFilterCache() override;

    // Every unconnected output pin of the filter rendered, each outcome logged.
    bool RenderAllPins(const std::string& filter, bool onlyExistingRenderers);

private:
    plat::media::MediaGraph& Media() { return context_.graph->Media(); }
    std::u16string FriendlyName(const std::u16string& id, const plat::media::FilterResolution& resolution);
    // The named pin, else (logged) the first pin of the direction; empty when there is none.
    std::string ChoosePin(const std::string& filter, const std::u16string& pin,
                          plat::media::PinDirection direction, const char16_t* missing,
                          const char16_t* fallback);
    void RenderChosenPin(const std::string& filter, const std::string& pin, const std::u16string& pinText,
                         bool onlyExistingRenderers);
    void LogSplice(TGrabberSpliceStage stage);
    // The outcome of a forbid, closing its entry.
    bool LogForbid(bool lowered);

    TEngineContext& context_;
    TGraphLog& log_;
    TGraphDescription& description_;
    TFilterMerits& merits_;
    const plat::media::FilterCatalogue& catalogue_;
    TGraphMaker makeGraph_;
    std::chrono::milliseconds prerollLimit_;
};
