#include "foundation/TGrVariant.h"

#include <cstring>

TGrVariant::TGrVariant(int32_t growStep) : TMemoryObject(growStep) {}

void TGrVariant::Clear() {
    Type = vtEmpty;
    SetUsed(0);
}

void TGrVariant::SetType(uint8_t type) {
    Type = type;
}

int32_t TGrVariant::SetInt(int32_t value) {
    SetUsed(0);
    AppendData(&value, sizeof value);
    Type = vtInt;
    return value;
}

const char16_t* TGrVariant::SetString(const char16_t* text) {
    SetUsed(0);
    AppendString(text);
    AppendNul();
    Type = vtText;
    return text;
}

TGrVariant& TGrVariant::Assign(const TGrVariant& other) {
    if (&other != this) {
        TMemoryObject::Assign(other);
        Type = other.Type;
    }
    return *this;
}

int32_t TGrVariant::IntValue() const {
    int32_t value = 0;
    if (Used >= static_cast<int32_t>(sizeof value)) {
        std::memcpy(&value, Data, sizeof value);
    }
    return value;
}
