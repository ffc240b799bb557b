#pragma once
// The system's forgiving single-pass XML reader: a document is the list of its top-level elements.
// Walk it with First/Next; compare names without regard to case.
#include "foundation/TPointer.h"
#include "foundation/TXmlNode.h"

class TXml : public TPointer<TXmlNode> {
public:
    // Parses UTF-16 text into elements. Unless `keep`, the document is cleared first (so a `parent`
    // inside this document needs `keep`); with a parent the new elements become its children. The
    // top-level cursor ends on the first element. False only for no text. Malformed input never
    // fails: it is read as elements and attributes as far as the scanner's rules go.
    bool Parse(const char16_t* text, bool keep = false, TXmlNode* parent = nullptr);

    // Reads the file (ReadTextFileW) and parses it into a cleared document. False, with the document
    // unchanged, when the file cannot be read.
    bool LoadFromFile(const char16_t* path);
    bool LoadFromFileA(const char* path);
};
