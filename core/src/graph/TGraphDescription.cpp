#include "core/src/graph/TGraphDescription.h"

#include "core/src/graph/TLegacyScriptConverter.h"
#include "foundation/TMemoryObject.h"

namespace {

// First block sizes of the text buffers the descriptions are built in.
constexpr std::int32_t kGrfDescriptionBlock = 512;
constexpr std::int32_t kLegacyDescriptionBlock = 1024;

} // namespace

void TGraphDescription::Set(std::uint32_t kind, const char16_t* text) {
    if (kind != kKindXgrText && kind != kKindGrfFile && kind != kKindLegacyScript) {
        return;
    }
    if (text == nullptr) {
        text_.reset();
    } else if (kind == kKindXgrText) {
        text_ = text;
    } else if (kind == kKindGrfFile) {
        SetGrfFile(text);
    } else {
        ConvertLegacyScript(text);
    }
}

// The name is escaped, so that quotes, ampersands and angle brackets in it reach the step unchanged.
void TGraphDescription::SetGrfFile(const char16_t* fileName) {
    TMemoryObject xgr(kGrfDescriptionBlock);
    xgr.AppendString(u"<GRAPH version=\"1.0\">\r\n     <LOADGRF\t Filename = \"");
    xgr.AppendXmlEscaped(fileName, false, false);
    xgr.AppendString(u"\"/>\r\n</GRAPH>");
    text_.emplace(xgr.Text(), static_cast<std::size_t>(xgr.TextLength()));
}

void TGraphDescription::ConvertLegacyScript(const char16_t* script) {
    TMemoryObject xgr(kLegacyDescriptionBlock);
    if (TLegacyScriptConverter::Convert(script, xgr)) {
        text_ = xgr.Text(); // up to the terminating zero character the converter appends
    }
}

bool TGraphDescription::SetGraphVariable(const std::u16string& name, const std::u16string& value) {
    return variables_.Add(name.c_str(), value.c_str(), false);
}

bool TGraphDescription::GetGraphVariable(const std::u16string& name, std::u16string& value) {
    return variables_.GetValue(name.c_str(), value);
}
