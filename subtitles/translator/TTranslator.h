#pragma once
// One loaded language file ("*.tovrin.lang", "*.pellit.lang"), applied to forms and to string
// collections, and the writer of language templates. The file is XML:
//     <LANGUAGE Name="...">
//       <FORM> <FormName Caption="..."> <Component Text="..." Hint="..."/> ... </FormName> </FORM>
//       <STRINGCOLLECTION> <CollectionName> <Key Text="..."/> ... </CollectionName> </STRINGCOLLECTION>
//     </LANGUAGE>
// Structure names are compared without regard to case; an entry whose name begins with '!' is
// skipped. Forms are found by their objectName and walked as FormComponents.h describes.
#include "foundation/TXml.h"

#include <cstdint>

class QWidget;
class TMemoryObject;
class TStringCollection;

class TTranslator : public TXml {
public:
    // Attribute values are read up to this many characters.
    static constexpr int kMaxAttributeLength = 300;
    // Larger language files are refused.
    static constexpr std::int64_t kMaxFileSize = 16 * 1024 * 1024;

    TTranslator() = default;

    // Loads the language file (UTF-8 path) in place of the document. False, with the document as it
    // was, when the file cannot be read or is larger than kMaxFileSize.
    bool LoadFile(const char* path);

    // Applies the document's entry for the form (by its objectName): a non-empty "Caption" becomes the
    // window title; each component entry sets the component's text from "Text" (an empty value clears
    // it, a missing one keeps it) and its hint from "Hint" (likewise). Nothing happens unless the
    // document starts with a LANGUAGE element that has children.
    void TranslateForm(QWidget* form);
    // Replaces the texts of the collection's known keys from the document's entry for its name (an
    // entry without "Text" keeps the text). False only without a collection.
    bool TranslateStrings(TStringCollection* collection);

    // Appends the form's block of a language template (UTF-16, CR LF lines) to the buffer: the form's
    // name and caption, then each component with a text, with its hint when it has one. Texts are
    // XML-escaped, so every caption survives a write, load and translate.
    void WriteFormTemplate(TMemoryObject& buffer, QWidget* form);
    // Appends the collection's block of a language template: every key with its text, in key order.
    void WriteStringsTemplate(TMemoryObject& buffer, const TStringCollection& collection);

private:
    // The LANGUAGE element's container child of that name, or nullptr.
    TXmlNode* Section(const char* name);
};
