// Feeds arbitrary bytes to the XML reader, read both as UTF-16LE text and as ANSI (UTF-8) bytes,
// then walks the tree with the lookups readers use.
#include "platform/text/CodePage.h"
#include "foundation/TXml.h"
#include "foundation/XmlText.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Probe(TXmlNode& node) {
    TXmlNode* child = nullptr;
    node.FindChild(node.Name.get(), child);
    node.FindChildA("a", child);
    if (const TXmlPara* attribute = node.Attributes.Head) {
        char16_t wide[4];
        char narrow[4];
        node.GetAttribute(attribute->Name.get(), wide, 3);
        node.GetAttribute(attribute->Name.get(), nullptr, 0);
        node.GetAttributeA(plat::text::WideToAnsi(attribute->Name.get()).c_str(), narrow, sizeof narrow);
        if (attribute->Value) {
            std::u16string value(attribute->Value.get());
            XmlDecodeEntities(value.data(), true);
        }
    }
}

// Visits every element without recursion (the input controls the depth).
void Walk(TXml& xml) {
    std::vector<TXmlNode*> pending;
    for (TXmlNode* node = xml.Head; node; node = node->Next) {
        pending.push_back(node);
    }
    while (!pending.empty()) {
        TXmlNode* node = pending.back();
        pending.pop_back();
        Probe(*node);
        for (TXmlNode* child = node->Children.Head; child; child = child->Next) {
            pending.push_back(child);
        }
    }
}

void ParseAndWalk(const std::u16string& text) {
    TXml xml;
    xml.Parse(text.c_str());
    Walk(xml);
    if (xml.Head) {
        xml.Parse(text.c_str(), true, xml.Head); // parsing below an element may climb out of it
        Walk(xml);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string utf16(size / 2, u'\0');
    std::memcpy(utf16.data(), data, utf16.size() * sizeof(char16_t));
    ParseAndWalk(utf16);
    ParseAndWalk(plat::text::AnsiToWide(std::string_view(reinterpret_cast<const char*>(data), size)));
    XmlDecodeEntities(utf16.data(), true);
    return 0;
}
