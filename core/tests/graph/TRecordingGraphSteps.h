#pragma once
// A graph step implementation for tests: records every call with its arguments as one line of text
// and answers as the test sets it up.
#include "core/src/graph/TGraphSteps.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class TRecordedFilter : public TGraphFilter {
public:
    explicit TRecordedFilter(std::u16string id) : Id(std::move(id)) {}
    std::u16string Id;
};

class TRecordingGraphSteps : public TGraphSteps {
public:
    // What the operations answer.
    bool Graph = true;
    bool SourceFileLoads = true;
    bool FileRenders = true;
    std::int32_t GrfResult = 0;
    bool ForbidLowers = true;
    bool GrabberInserts = true;
    bool HasVideoRenderer = true;
    int BitsPerPixel = 32;
    std::set<std::u16string> UnknownClasses; // AddFilterByClsid answers none for these
    std::map<std::u16string, std::u16string> Variables;

    // One line per call, e.g. "ConnectPins(A, Out, B, In, direct)"; texts in UTF-8.
    std::vector<std::string> Calls;

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

private:
    // Records "name(arguments joined by ", ")".
    void Record(const char* name, std::initializer_list<std::u16string> arguments);
    TGraphFilter* AddFilter(const std::u16string& id);

    std::vector<std::unique_ptr<TRecordedFilter>> filters_;
    TRecordedFilter videoRenderer_{u"Video Renderer"};
};
