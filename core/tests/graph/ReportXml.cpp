#include "core/tests/graph/ReportXml.h"

#include "platform/text/CodePage.h"
#include "foundation/TXml.h"

#include <glib.h>

namespace report_xml {
namespace {

std::string Utf8(const char16_t* text) {
    return text != nullptr ? plat::text::WideToAnsi(text) : std::string();
}

void AppendNode(std::string& out, const TXmlNode& node) {
    out += Utf8(node.Name.get());
    out += '[';
    for (const TXmlPara* para = node.Attributes.Head; para != nullptr; para = para->Next) {
        out += Utf8(para->Name.get()) + "=" + Utf8(para->Value.get());
    }
    const std::string text = Utf8(node.Text.get());
    out += "]{" + (text.find_first_not_of(" \t\r\n") != std::string::npos ? text : std::string()) + "}(";
    for (const TXmlNode* child = node.Children.Head; child != nullptr; child = child->Next) {
        AppendNode(out, *child);
    }
    out += ')';
}

} // namespace

std::u16string_view View(const TMemoryObject& buffer) {
    return {buffer.Text(), static_cast<std::size_t>(buffer.TextLength())};
}

std::string Outline(std::u16string_view text) {
    TXml document;
    document.Parse(std::u16string(text).c_str());
    std::string out;
    for (const TXmlNode* node = document.Head; node != nullptr; node = node->Next) {
        AppendNode(out, *node);
    }
    return out;
}

bool WellFormed(std::u16string_view text) {
    const std::string utf8 = plat::text::WideToAnsi(text);
    const GMarkupParser parser{};
    GMarkupParseContext* context =
        g_markup_parse_context_new(&parser, G_MARKUP_TREAT_CDATA_AS_TEXT, nullptr, nullptr);
    GError* error = nullptr;
    const bool parsed =
        g_markup_parse_context_parse(context, utf8.data(), static_cast<gssize>(utf8.size()), &error) &&
        g_markup_parse_context_end_parse(context, &error);
    if (error != nullptr) {
        g_error_free(error);
    }
    g_markup_parse_context_free(context);
    return parsed;
}

} // namespace report_xml
