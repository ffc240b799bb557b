#include "core/tests/graph/TRecordingGraphSteps.h"

#include "platform/text/CodePage.h"

#include <string_view>

namespace {

const char16_t* LogKindName(TGraphLogKind kind) {
    switch (kind) {
    case TGraphLogKind::Info:
        return u"INFO";
    case TGraphLogKind::Success:
        return u"SUCCESS";
    case TGraphLogKind::Failure:
        return u"FAILURE";
    case TGraphLogKind::Document:
        return u"DOCUMENT";
    }
    return u"?";
}

std::u16string FilterName(const TGraphFilter* filter) {
    const auto* recorded = dynamic_cast<const TRecordedFilter*>(filter);
    return recorded ? recorded->Id : u"none";
}

const char16_t* SubtypeName(TGrabberSubtype subtype) {
    switch (subtype) {
    case TGrabberSubtype::Rgb8:
        return u"RGB8";
    case TGrabberSubtype::Rgb555:
        return u"RGB555";
    case TGrabberSubtype::Rgb24:
        return u"RGB24";
    case TGrabberSubtype::Rgb32:
        return u"RGB32";
    }
    return u"?";
}

std::u16string Number(std::uint64_t value) {
    return plat::text::AnsiToWide(std::to_string(value));
}

} // namespace

void TRecordingGraphSteps::Record(const char* name, std::initializer_list<std::u16string> arguments) {
    std::string line = name;
    line += '(';
    std::string_view separator;
    for (const std::u16string& argument : arguments) {
        line += separator;
        line += plat::text::WideToAnsi(argument);
        separator = ", ";
    }
    Calls.push_back(line + ')');
}

TGraphFilter* TRecordingGraphSteps::AddFilter(const std::u16string& id) {
    filters_.push_back(std::make_unique<TRecordedFilter>(id));
    return filters_.back().get();
}

void TRecordingGraphSteps::GraphLog(bool open, TGraphLogKind kind, const char16_t* text) {
    Record(open ? "LogOpen" : "Log", {LogKindName(kind), text ? text : u"(close)"});
}

bool TRecordingGraphSteps::GetGraphVariable(const std::u16string& name, std::u16string& value) {
    Record("GetGraphVariable", {name});
    const auto found = Variables.find(name);
    if (found == Variables.end()) {
        return false;
    }
    value = found->second;
    return true;
}

bool TRecordingGraphSteps::HasGraph() {
    return Graph;
}

TGraphFilter* TRecordingGraphSteps::AddFilterByClsid(const std::u16string& id, const std::u16string& clsid) {
    Record("AddFilterByClsid", {id, clsid});
    return UnknownClasses.contains(clsid) ? nullptr : AddFilter(id);
}

TGraphFilter* TRecordingGraphSteps::AddDmoFilterByName(const std::u16string& id,
                                                       const std::u16string& displayName) {
    Record("AddDmoFilterByName", {id, displayName});
    return AddFilter(id);
}

TGraphFilter* TRecordingGraphSteps::AddDmoFilter(const std::u16string& id, const std::u16string& clsid,
                                                 const std::u16string& category) {
    Record("AddDmoFilter", {id, clsid, category});
    return AddFilter(id);
}

bool TRecordingGraphSteps::FindFilterById(const std::u16string& id, TGraphFilter*& filter) {
    Record("FindFilterById", {id});
    for (const auto& candidate : filters_) {
        if (candidate->Id == id) {
            filter = candidate.get();
            return true;
        }
    }
    return false;
}

TGraphFilter* TRecordingGraphSteps::FindFilterByName(const std::u16string& name) {
    Record("FindFilterByName", {name});
    return HasVideoRenderer && name == videoRenderer_.Id ? &videoRenderer_ : nullptr;
}

bool TRecordingGraphSteps::SetSourceFile(const std::u16string& file, TGraphFilter* filter) {
    Record("SetSourceFile", {file, FilterName(filter)});
    return SourceFileLoads && filter;
}

bool TRecordingGraphSteps::ConnectPins(const std::u16string& source, const std::u16string& sourcePin,
                                       const std::u16string& destination,
                                       const std::u16string& destinationPin, bool direct) {
    Record("ConnectPins",
           {source, sourcePin, destination, destinationPin, direct ? u"direct" : u"intelligent"});
    return true;
}

bool TRecordingGraphSteps::RenderPin(const std::u16string& id, const std::u16string& pin,
                                     bool onlyExistingRenderers) {
    Record("RenderPin", {id, pin, onlyExistingRenderers ? u"existing" : u"any"});
    return false;
}

bool TRecordingGraphSteps::RenderFile(const std::u16string& file) {
    Record("RenderFile", {file});
    return FileRenders;
}

std::int32_t TRecordingGraphSteps::LoadGrf(const std::u16string& file) {
    Record("LoadGrf", {file});
    return GrfResult;
}

bool TRecordingGraphSteps::CreateMultimediaGraph(const std::u16string& file) {
    Record("CreateMultimediaGraph", {file});
    return true;
}

int TRecordingGraphSteps::ScreenBitsPerPixel() {
    return BitsPerPixel;
}

bool TRecordingGraphSteps::InsertSampleGrabber(TGraphFilter* renderer, TGrabberSubtype subtype) {
    Record("InsertSampleGrabber", {FilterName(renderer), SubtypeName(subtype)});
    return GrabberInserts;
}

std::int32_t TRecordingGraphSteps::AddToRot() {
    Record("AddToRot", {});
    return 0;
}

bool TRecordingGraphSteps::WriteMeritByName(const std::u16string& displayName, std::uint32_t merit) {
    Record("WriteMeritByName", {displayName, Number(merit)});
    return true;
}

bool TRecordingGraphSteps::WriteMeritByClsid(const std::u16string& category, const std::u16string& clsid,
                                             std::uint32_t merit) {
    Record("WriteMeritByClsid", {category, clsid, Number(merit)});
    return true;
}

bool TRecordingGraphSteps::ForbidFilterByName(const std::u16string& displayName) {
    Record("ForbidFilterByName", {displayName});
    return ForbidLowers;
}

bool TRecordingGraphSteps::ForbidFilterByClsid(const std::u16string& category, const std::u16string& clsid) {
    Record("ForbidFilterByClsid", {category, clsid});
    return ForbidLowers;
}

void TRecordingGraphSteps::RefreshFilterCache() {
    Record("RefreshFilterCache", {});
}
