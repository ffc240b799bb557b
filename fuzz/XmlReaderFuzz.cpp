// Feeds arbitrary bytes to the XML reader, read both as UTF-16LE text and as ANSI (UTF-8) bytes,
// checks the tree's structure (every list linked both ways and counted right, every element named and
// under its parent, the cursors on members of their lists) and walks it with the lookups readers use.
#include "foundation/TXml.h"
#include "foundation/XmlText.h"
#include "platform/text/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A list's links agree both ways, end at its tail, count its items and hold its cursor; every item
// passes the check.
template <class T, class Check> void CheckList(const TPointer<T>& list, Check check) {
    const T* previous = nullptr;
    int32_t count = 0;
    bool cursorFound = list.Current == nullptr;
    for (const T* item = list.Head; item; item = item->Next) {
        if (item->Prev != previous || ++count > list.Count) {
            std::abort();
        }
        cursorFound = cursorFound || item == list.Current;
        check(*item);
        previous = item;
    }
    if (list.Tail != previous || count != list.Count || !cursorFound) {
        std::abort();
    }
}

// One element: named, its attributes named, its children its own.
void CheckElement(const TXmlNode& node, const TXmlNode* parent) {
    if (!node.Name || node.Parent != parent) {
        std::abort();
    }
    CheckList(node.Attributes, [](const TXmlPara& attribute) {
        if (!attribute.Name) {
            std::abort();
        }
    });
}

// Every element of the document, without recursion (the input controls the depth).
void CheckTree(const TXml& xml) {
    std::vector<const TXmlNode*> pending;
    CheckList(xml, [&](const TXmlNode& node) {
        CheckElement(node, nullptr);
        pending.push_back(&node);
    });
    while (!pending.empty()) {
        const TXmlNode* node = pending.back();
        pending.pop_back();
        CheckList(node->Children, [&](const TXmlNode& child) {
            CheckElement(child, node);
            pending.push_back(&child);
        });
    }
}

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
    CheckTree(xml);
    Walk(xml);
    if (xml.Head) {
        xml.Parse(text.c_str(), true, xml.Head); // parsing below an element may climb out of it
        CheckTree(xml);
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
