#pragma once
// A list of named text values; names are compared exactly (case-sensitive).
#include "foundation/TParameterEntry.h"
#include "foundation/TPointer.h"

#include <string>

class TvcParametersList : public TPointer<TParameterEntry> {
public:
    // Without `duplicates` an entry of that name is updated in place; an empty or missing value
    // instead removes it and re-appends the name, valueless, at the tail. With `duplicates`, or when
    // no entry matches, a new entry is appended. A missing or empty name answers false and leaves
    // the list unchanged.
    bool Add(const char16_t* name, const char16_t* value, bool duplicates);

    // Copies the value of the first entry of that name ("" for a valueless one); the cursor stays on
    // the entry. False, with `value` cleared, when no entry matches.
    bool GetValue(const char16_t* name, std::u16string& value);

private:
    // Walks from the head; the cursor ends on the match, or on the last entry when none matched.
    TParameterEntry* Find(const char16_t* name);
};
