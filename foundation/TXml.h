#pragma once
// The system's forgiving single-pass XML reader: a document is the list of its top-level elements.
// Walk it with First/Next; compare names without regard to case. The elements, attributes and texts
// are held in the document's storage: they stay valid until the document is cleared or destroyed.
#include "foundation/TPointer.h"
#include "foundation/TXmlNode.h"
#include "foundation/XmlStore.h"

#include <string>

class TXml : public TPointer<TXmlNode> {
public:
    TXml() = default;
    ~TXml();
    TXml(const TXml&) = delete;
    TXml& operator=(const TXml&) = delete;

    // Deletes every element and takes the storage back; answers the number of top-level elements.
    int32_t Clear();

    // Parses UTF-16 text into elements. Unless `keep`, the document is cleared first (so a `parent`
    // inside this document needs `keep`); with a parent the new elements become its children. The
    // top-level cursor ends on the first element. False only for no text. Malformed input never
    // fails: it is read as elements and attributes as far as the scanner's rules go.
    bool Parse(const char16_t* text, bool keep = false, TXmlNode* parent = nullptr);
    // The same for a text whose length is known (it ends at its first zero character, if any).
    bool Parse(const std::u16string& text, bool keep = false, TXmlNode* parent = nullptr);

    // Reads the file (ReadTextFileW) and parses it into a cleared document. False, with the document
    // unchanged, when the file cannot be read.
    bool LoadFromFile(const char16_t* path);
    bool LoadFromFileA(const char* path);

private:
    void ParseText(const char16_t* text, const char16_t* end, bool keep, TXmlNode* parent);

    XmlStore Store;
};
