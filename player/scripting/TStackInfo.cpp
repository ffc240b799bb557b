#include "player/scripting/TStackInfo.h"

TGrVariables* TStackInfo::AddVariable(std::u16string_view name, TScriptValue::TType type) {
    names_ |= NameBit(name);
    TGrVariables* entry = variables_.Add(variables_.Tail);
    entry->Name = name;
    entry->Value = TScriptValue::OfType(type);
    return entry;
}

TGrVariables* TStackInfo::AddFunction(std::u16string_view name) {
    names_ |= NameBit(name);
    TGrVariables* entry = functions_.Add(functions_.Tail);
    entry->Name = name;
    return entry;
}

TGrVariables* TStackInfo::Find(const TPointer<TGrVariables>& list, std::u16string_view name) {
    for (TGrVariables* entry = list.Head; entry != nullptr; entry = entry->Next) {
        if (entry->Name == name) {
            return entry;
        }
    }
    return nullptr;
}
