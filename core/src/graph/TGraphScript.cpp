#include "core/src/graph/TGraphScript.h"

#include "core/src/framework/TCoreLogFile.h"
#include "platform/text/CaseFold.h"
#include "platform/text/Format.h"
#include "foundation/TXml.h"

#include <string_view>

namespace {

constexpr std::u16string_view kVariablePrefix = u"##TOVVAR:";
constexpr std::u16string_view kVariableSuffix = u"##";
constexpr char16_t kDefaultForbidCategory[] = u"{083863F1-70DE-11D0-BD40-00A0C911CE86}";
constexpr char16_t kMediaFileReference[] = u"##TOVVAR:FileName##";
constexpr char16_t kVideoRendererName[] = u"Video Renderer";

bool IsNamed(const TXmlNode& element, const char16_t* name) {
    return element.Name && plat::text::EqualsNoCase(element.Name.get(), name);
}

bool IsLeadingSpace(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

// Leading white space, an optional sign and decimal digits up to the first other character; the
// value wraps modulo 2^32 so that "-1" is 4294967295.
std::uint32_t ParseMerit(std::u16string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsLeadingSpace(text[at])) {
        ++at;
    }
    const bool negative = at < text.size() && text[at] == u'-';
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) {
        ++at;
    }
    std::uint32_t value = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        value = value * 10u + static_cast<std::uint32_t>(text[at] - u'0');
    }
    return negative ? 0u - value : value;
}

TGrabberSubtype SubtypeForDepth(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 8:
        return TGrabberSubtype::Rgb8;
    case 16:
        return TGrabberSubtype::Rgb555;
    case 24:
        return TGrabberSubtype::Rgb24;
    default:
        return TGrabberSubtype::Rgb32;
    }
}

} // namespace

const TGraphScript::StepEntry TGraphScript::kSteps[] = {
    {u"DMOFILTER", &TGraphScript::DmoFilter, true},
    {u"SETFILENAME", &TGraphScript::SetFileName, false},
    {u"FILTER", &TGraphScript::Filter, true},
    {u"CHANGEMERIT", &TGraphScript::ChangeMerit, false},
    {u"CREATEMULTIMEDIAGRAPH", &TGraphScript::CreateMultimediaGraph, false},
    {u"LOADGRF", &TGraphScript::LoadGrf, false},
    {u"RENDERFILE", &TGraphScript::RenderFile, true},
    {u"CONNECT", &TGraphScript::Connect, false},
    {u"RENDER", &TGraphScript::Render, false},
    {u"RENDEREX", &TGraphScript::RenderEx, false},
    {u"FORBIDFILTER", &TGraphScript::ForbidFilter, false},
    {u"INSERTSAMPLEGRABBER", &TGraphScript::InsertSampleGrabber, true},
    {u"ADDTOROT", &TGraphScript::AddToRot, false},
}; // PATCH, like every element not listed, has no effect

TGraphScript::TGraphScript(TGraphSteps& steps) : steps_(steps) {}

bool TGraphScript::Run(const char16_t* text, bool undoMode) {
    TCoreLogFile::Instance().WriteNarrow("\nStep Two");
    failed_ = false;
    refreshPending_ = false;
    stopped_ = false;
    TXml document;
    document.Parse(text);
    for (TXmlNode* top = document.Head; top && !stopped_; top = top->Next) {
        if (undoMode) {
            RunStep(*top);
            continue;
        }
        if (!IsNamed(*top, u"GRAPH")) {
            continue;
        }
        for (TXmlNode* step = top->Children.Head; step && !stopped_; step = step->Next) {
            RunStep(*step);
        }
    }
    return failed_;
}

void TGraphScript::SubstituteVariable(std::u16string& value, int capacity) {
    const std::u16string_view whole = value;
    if (whole.size() <= kVariablePrefix.size() + kVariableSuffix.size() ||
        !whole.starts_with(kVariablePrefix) || !whole.ends_with(kVariableSuffix)) {
        return;
    }
    const std::u16string name(
        whole.substr(kVariablePrefix.size(), whole.size() - kVariablePrefix.size() - kVariableSuffix.size()));
    std::u16string replacement;
    if (steps_.GetGraphVariable(name, replacement) &&
        replacement.size() < static_cast<std::size_t>(capacity)) {
        value = std::move(replacement);
    }
}

void TGraphScript::RunStep(TXmlNode& element) {
    for (const StepEntry& entry : kSteps) {
        if (IsNamed(element, entry.name)) {
            if (!entry.needsGraph || steps_.HasGraph()) {
                (this->*entry.step)(element);
            }
            return;
        }
    }
}

bool TGraphScript::Given(TXmlNode& element, const char16_t* name, std::u16string& value, int capacity) {
    value.clear();
    const int length = element.GetAttribute(name, nullptr, 0);
    if (length <= 0 || length > capacity) {
        return false;
    }
    value.resize(static_cast<std::size_t>(length));
    element.GetAttribute(name, value.data(), length);
    return true;
}

void TGraphScript::RefreshIfPending() {
    if (refreshPending_) {
        refreshPending_ = false;
        steps_.RefreshFilterCache();
    }
}

void TGraphScript::SetSourceFile(const std::u16string& file, TGraphFilter* filter) {
    if (!steps_.SetSourceFile(file, filter)) {
        failed_ = true;
    }
}

// Two independent forms: by display name, and by class with category; both run when both are given.
void TGraphScript::DmoFilter(TXmlNode& element) {
    std::u16string id, displayName, clsid, category;
    if (Given(element, u"ID", id) && Given(element, u"DisplayName", displayName)) {
        SubstituteVariable(id, kAttributeCapacity);
        SubstituteVariable(displayName, kAttributeCapacity);
        steps_.AddDmoFilterByName(id, displayName);
    }
    if (Given(element, u"ID", id) && Given(element, u"CLSID", clsid) && Given(element, u"DMOCAT", category)) {
        SubstituteVariable(id, kAttributeCapacity);
        SubstituteVariable(clsid, kAttributeCapacity);
        SubstituteVariable(category, kAttributeCapacity);
        steps_.AddDmoFilter(id, clsid, category);
    }
}

void TGraphScript::SetFileName(TXmlNode& element) {
    std::u16string file, id;
    if (!Given(element, u"FILE", file) || !Given(element, u"FILTERID", id)) {
        return;
    }
    SubstituteVariable(file, kAttributeCapacity);
    SubstituteVariable(id, kAttributeCapacity);
    TGraphFilter* filter = nullptr;
    if (!steps_.FindFilterById(id, filter)) {
        filter = nullptr;
    }
    SetSourceFile(file, filter);
}

void TGraphScript::Filter(TXmlNode& element) {
    std::u16string id, clsid;
    if (!Given(element, u"ID", id) || !Given(element, u"clsid", clsid)) {
        return;
    }
    SubstituteVariable(id, kAttributeCapacity);
    SubstituteVariable(clsid, kAttributeCapacity);
    TGraphFilter* filter = steps_.AddFilterByClsid(id, clsid);
    if (!filter) {
        return;
    }
    for (TXmlNode* child = element.Children.Head; child; child = child->Next) {
        if (IsNamed(*child, u"PARAM")) {
            FilterParameter(*child, filter);
        }
    }
}

// Only the parameter "SRC" means something: the file the new filter loads.
void TGraphScript::FilterParameter(TXmlNode& parameter, TGraphFilter* filter) {
    std::u16string name, value;
    if (!Given(parameter, u"Name", name) || !Given(parameter, u"Value", value)) {
        return;
    }
    SubstituteVariable(name, kAttributeCapacity);
    SubstituteVariable(value, kAttributeCapacity);
    if (plat::text::EqualsNoCase(name, u"SRC")) {
        SetSourceFile(value, filter);
    }
}

void TGraphScript::ChangeMerit(TXmlNode& element) {
    std::u16string displayName, clsid, category, merit;
    if (Given(element, u"DisplayName", displayName) && Given(element, u"Merit", merit)) {
        steps_.WriteMeritByName(displayName, ParseMerit(merit));
    } else if (Given(element, u"Clsid", clsid) && Given(element, u"Category", category) &&
               Given(element, u"Merit", merit)) {
        steps_.WriteMeritByClsid(category, clsid, ParseMerit(merit));
    }
}

void TGraphScript::CreateMultimediaGraph(TXmlNode&) {
    std::u16string file = kMediaFileReference;
    SubstituteVariable(file, kAttributeCapacity);
    steps_.CreateMultimediaGraph(file);
}

void TGraphScript::LoadGrf(TXmlNode& element) {
    std::u16string file;
    if (!Given(element, u"Filename", file)) {
        return;
    }
    SubstituteVariable(file, kAttributeCapacity);
    steps_.GraphLog(true, TGraphLogKind::Info, plat::text::Format(u"Loading GRF file : %s", file).c_str());
    if (steps_.LoadGrf(file) < 0) {
        steps_.GraphLog(false, TGraphLogKind::Failure,
                        plat::text::Format(u"Unable to Load file : %s", file).c_str());
    }
    steps_.GraphLog(false, TGraphLogKind::Info, nullptr);
}

void TGraphScript::RenderFile(TXmlNode& element) {
    std::u16string file;
    if (!Given(element, u"Filename", file)) {
        return;
    }
    SubstituteVariable(file, kAttributeCapacity);
    steps_.GraphLog(true, TGraphLogKind::Info, plat::text::Format(u"Render File : %s", file).c_str());
    if (!steps_.RenderFile(file)) {
        steps_.GraphLog(false, TGraphLogKind::Failure,
                        plat::text::Format(u"Unable to Render File : %s", file).c_str());
    }
    steps_.GraphLog(false, TGraphLogKind::Info, nullptr);
}

// The refresh and the Direct attribute come first, even when a required attribute is missing.
void TGraphScript::Connect(TXmlNode& element) {
    RefreshIfPending();
    std::u16string direct, source, sourcePin, destination, destinationPin;
    Given(element, u"Direct", direct, kDirectCapacity);
    SubstituteVariable(direct, kDirectCapacity);
    if (!Given(element, u"src", source) || !Given(element, u"dest", destination) ||
        !Given(element, u"srcpin", sourcePin) || !Given(element, u"destpin", destinationPin)) {
        return;
    }
    SubstituteVariable(source, kAttributeCapacity);
    SubstituteVariable(sourcePin, kAttributeCapacity);
    SubstituteVariable(destination, kAttributeCapacity);
    SubstituteVariable(destinationPin, kAttributeCapacity);
    steps_.ConnectPins(source, sourcePin, destination, destinationPin,
                       plat::text::EqualsNoCase(direct, u"Yes"));
}

void TGraphScript::Render(TXmlNode& element) {
    RenderPin(element, false);
}

void TGraphScript::RenderEx(TXmlNode& element) {
    RenderPin(element, true);
}

void TGraphScript::RenderPin(TXmlNode& element, bool onlyExistingRenderers) {
    RefreshIfPending();
    std::u16string id, pin;
    if (!Given(element, u"id", id) || !Given(element, u"pin", pin)) {
        return;
    }
    SubstituteVariable(id, kAttributeCapacity);
    SubstituteVariable(pin, kAttributeCapacity);
    steps_.RenderPin(id, pin, onlyExistingRenderers);
}

// A lowered merit takes effect for intelligent connection only after the filter cache is refreshed,
// which the next connect or render step does.
void TGraphScript::ForbidFilter(TXmlNode& element) {
    std::u16string displayName, clsid, category;
    bool lowered = false;
    if (Given(element, u"DisplayName", displayName)) {
        SubstituteVariable(displayName, kAttributeCapacity);
        lowered = steps_.ForbidFilterByName(displayName);
    } else if (Given(element, u"Clsid", clsid)) {
        SubstituteVariable(clsid, kAttributeCapacity);
        if (!Given(element, u"Category", category)) {
            category = kDefaultForbidCategory;
        }
        lowered = steps_.ForbidFilterByClsid(category, clsid);
    }
    refreshPending_ = refreshPending_ || lowered;
}

void TGraphScript::InsertSampleGrabber(TXmlNode&) {
    TGraphFilter* renderer = steps_.FindFilterByName(kVideoRendererName);
    if (renderer && !steps_.InsertSampleGrabber(renderer, SubtypeForDepth(steps_.ScreenBitsPerPixel()))) {
        failed_ = true;
        stopped_ = true;
    }
}

void TGraphScript::AddToRot(TXmlNode&) {
    steps_.AddToRot();
}
