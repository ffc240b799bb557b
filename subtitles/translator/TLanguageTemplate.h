#pragma once
// A whole language template file: the LANGUAGE element around a FORM block with the forms added and
// a StringCollection block with the collections added, saved as UTF-16 with a byte-order mark (the
// form the language file reader takes without guessing a code page).
#include "foundation/TMemoryObject.h"

class QWidget;
class TStringCollection;
class TTranslator;

class TLanguageTemplate {
public:
    TLanguageTemplate();

    void AddForm(QWidget* form);
    void AddStrings(const TStringCollection& collection);

    // The whole file's text so far, closed.
    std::u16string Text() const;
    // Saves the closed text in place of the file (UTF-8 path); false when it cannot be written.
    bool SaveToFile(const char* path) const;

private:
    TMemoryObject Forms;
    TMemoryObject Collections;
};
