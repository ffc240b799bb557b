#pragma once
// A value of the command script language: nothing, a UTF-16 text or a signed 32-bit integer. The type
// numbers are those of TGrVariant, which the callers of a script hand in and get back.
#include "foundation/TGrVariant.h"

#include <cstdint>
#include <string>
#include <string_view>

class TScriptValue {
public:
    enum TType : uint8_t {
        kEmpty = TGrVariant::vtEmpty,
        kText = TGrVariant::vtText,
        kInt = TGrVariant::vtInt
    };

    TScriptValue() = default;
    TScriptValue(const TScriptValue&) = default;
    TScriptValue(TScriptValue&&) noexcept = default;
    TScriptValue& operator=(TScriptValue&&) noexcept = default;
    // Integers are copied far more often than texts: an empty text is not copied onto an empty one.
    TScriptValue& operator=(const TScriptValue& other) {
        Type = other.Type;
        Int = other.Int;
        if (!other.Text.empty() || !Text.empty()) {
            Text = other.Text;
        }
        return *this;
    }
    // The value a fresh variable of the type holds: 0, the empty text, or nothing.
    static TScriptValue OfType(TType type);
    static TScriptValue OfInt(int32_t number);
    static TScriptValue OfText(std::u16string_view text);

    void SetInt(int32_t number);
    void SetText(std::u16string_view text);
    void Clear();

    // The TGrVariant form and back (an empty text variant reads as the empty text).
    void CopyTo(TGrVariant& variant) const;
    static TScriptValue From(const TGrVariant& variant);

    TType Type = kEmpty;
    int32_t Int = 0;
    std::u16string Text;
};
