#include "player/scripting/TScriptValue.h"

TScriptValue TScriptValue::OfType(TType type) {
    TScriptValue value;
    value.Type = type;
    return value;
}

TScriptValue TScriptValue::OfInt(int32_t number) {
    TScriptValue value;
    value.SetInt(number);
    return value;
}

TScriptValue TScriptValue::OfText(std::u16string_view text) {
    TScriptValue value;
    value.SetText(text);
    return value;
}

void TScriptValue::SetInt(int32_t number) {
    Type = kInt;
    Int = number;
    Text.clear();
}

void TScriptValue::SetText(std::u16string_view text) {
    Type = kText;
    Int = 0;
    Text.assign(text);
}

void TScriptValue::Clear() {
    Type = kEmpty;
    Int = 0;
    Text.clear();
}

void TScriptValue::CopyTo(TGrVariant& variant) const {
    switch (Type) {
    case kInt:
        variant.SetInt(Int);
        break;
    case kText:
        variant.SetString(Text.c_str());
        break;
    default:
        variant.Clear();
        break;
    }
}

TScriptValue TScriptValue::From(const TGrVariant& variant) {
    if (variant.Type == TGrVariant::vtInt) {
        return OfInt(variant.IntValue());
    }
    if (variant.Type == TGrVariant::vtText) {
        // The text stops at its terminator (or the end of what is stored).
        const std::u16string_view stored(variant.Text(), static_cast<size_t>(variant.TextLength()));
        return OfText(stored.substr(0, stored.find(u'\0')));
    }
    return {};
}
