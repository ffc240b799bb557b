#include "foundation/TXmlNode.h"

#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideString.h"

#include <cstring>
#include <string>

TXmlNode::~TXmlNode() {
    // Flattens the subtree into one pending chain: each node's children are spliced in front of
    // the rest before the node is deleted, so no destructor ever sees a non-empty child list.
    TXmlNode* pending = Children.Release();
    while (pending) {
        TXmlNode* node = pending;
        pending = node->Next;
        if (TXmlNode* last = node->Children.Tail) {
            last->Next = pending;
            pending = node->Children.Release();
        }
        delete node;
    }
}

int TXmlNode::FindChild(const char16_t* name, TXmlNode*& child) {
    child = nullptr;
    if (!name) {
        return -1;
    }
    for (bool more = Children.First(); more; more = Children.Next()) {
        if (Children.Current->Name && plat::text::EqualsNoCase(Children.Current->Name.get(), name)) {
            child = Children.Current;
            return 1;
        }
    }
    return -1;
}

int TXmlNode::FindChildA(const char* name, TXmlNode*& child) {
    if (!name) {
        child = nullptr;
        return -1;
    }
    return FindChild(plat::text::AnsiToWide(name).c_str(), child);
}

const TXmlPara* TXmlNode::FindAttribute(const char16_t* name) {
    if (!name) {
        return nullptr;
    }
    for (bool more = Attributes.First(); more; more = Attributes.Next()) {
        if (Attributes.Current->Name && plat::text::EqualsNoCase(Attributes.Current->Name.get(), name)) {
            return Attributes.Current;
        }
    }
    return nullptr;
}

int TXmlNode::GetAttribute(const char16_t* name, char16_t* buffer, int size) {
    if (buffer && size >= 0) {
        buffer[0] = 0;
    }
    const TXmlPara* attribute = FindAttribute(name);
    if (!attribute) {
        return -1;
    }
    const std::size_t length = plat::text::WLen(attribute->Value.get());
    if (length == 0 || !buffer) {
        return static_cast<int>(length);
    }
    if (size < 0 || length > static_cast<std::size_t>(size)) {
        return -2;
    }
    std::memcpy(buffer, attribute->Value.get(), (length + 1) * sizeof(char16_t));
    return static_cast<int>(length);
}

int TXmlNode::GetAttributeA(const char* name, char* buffer, int size) {
    if (buffer && size > 0) {
        buffer[0] = 0;
    }
    const TXmlPara* attribute = name ? FindAttribute(plat::text::AnsiToWide(name).c_str()) : nullptr;
    if (!attribute) {
        return -1;
    }
    const std::string value = plat::text::WideToAnsi(attribute->Value ? attribute->Value.get() : u"");
    if (value.empty() || !buffer) {
        return static_cast<int>(value.size());
    }
    if (size < 1 || value.size() > static_cast<std::size_t>(size) - 1) {
        return -2;
    }
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    return static_cast<int>(value.size());
}
