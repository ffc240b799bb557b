#pragma once
// A value of the command script language: a text buffer that also records what it holds.
#include "foundation/TMemoryObject.h"

#include <cstdint>

class TGrVariant : public TMemoryObject {
public:
    // Type: nothing stored; UTF-16 text with its counted terminator; exactly four bytes of an int32.
    enum : uint8_t { vtEmpty = 0, vtText = 1, vtInt = 3 };

    explicit TGrVariant(int32_t growStep);

    // Empty type and no content; the block stays allocated.
    void Clear();
    // Stores the type only.
    void SetType(uint8_t type);
    int32_t SetInt(int32_t value);
    // Stores the text and a counted terminator (no text gives an empty text) and answers `text`.
    const char16_t* SetString(const char16_t* text);
    // Becomes a copy of the other variant's content and type (nothing happens for itself).
    TGrVariant& Assign(const TGrVariant& other);

    // The stored integer: the first four bytes, 0 when fewer are stored.
    int32_t IntValue() const;

    uint8_t Type = vtEmpty;
};
