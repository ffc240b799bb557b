#pragma once
// One XML element: name, text, attributes and children. Names are looked up without regard to case.
// Elements are made by reading a document, in the document's storage (XmlStore): deleting one runs
// its destructor, and the document's storage takes its memory back with the rest.
#include "foundation/TPointer.h"
#include "foundation/TXmlPara.h"
#include "foundation/XmlChars.h"

#include <cstddef>
#include <new>

class XmlStore;

class TXmlNode : public TListItem<TXmlNode> {
public:
    TXmlNode() = default;
    // Destroys the subtree without recursion, so hostile nesting depth cannot exhaust the stack.
    ~TXmlNode();
    TXmlNode(const TXmlNode&) = delete;
    TXmlNode& operator=(const TXmlNode&) = delete;

    static void* operator new(std::size_t) = delete;
    static void operator delete(TXmlNode* node, std::destroying_delete_t) { node->~TXmlNode(); }

    // 1 and the first child of that name (the children's cursor stays on it), or -1 and nullptr.
    int FindChild(const char16_t* name, TXmlNode*& child);
    int FindChildA(const char* name, TXmlNode*& child);

    // Looks up the first attribute of that name (the attributes' cursor stays on it) and answers the
    // value's length, 0 for an attribute without value, -1 when there is none, -2 when the value is
    // longer than `size`. `buffer` (optional) holds size + 1 characters; it is emptied first and
    // receives the value with its terminator when it fits.
    int GetAttribute(const char16_t* name, char16_t* buffer, int size);
    // The same with the value converted to ANSI (UTF-8); `buffer` holds `size` bytes, a value must
    // fit in size - 1 of them. The length answered is in bytes.
    int GetAttributeA(const char* name, char* buffer, int size);

    XmlChars Name;
    XmlChars Text; // the text run just before the closing tag, or none
    TPointer<TXmlPara> Attributes;
    TPointer<TXmlNode> Children;
    TXmlNode* Parent = nullptr; // none at the top level
    XmlStore* Store = nullptr;  // where the element, its texts, attributes and children are held

private:
    // The first attribute of that name, leaving the cursor on it; nullptr when none.
    const TXmlPara* FindAttribute(const char16_t* name);
};
