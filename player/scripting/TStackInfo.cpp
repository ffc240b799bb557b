#include "player/scripting/TStackInfo.h"

TGrVariables* TStackInfo::AddVariable(uint32_t nameId, TScriptValue::TType type) {
    names_ |= NameBit(nameId);
    TGrVariables* entry = variables_.Add(variables_.Tail);
    entry->NameId = nameId;
    entry->Value = TScriptValue::OfType(type);
    return entry;
}

TGrVariables* TStackInfo::AddFunction(uint32_t nameId) {
    names_ |= NameBit(nameId);
    TGrVariables* entry = functions_.Add(functions_.Tail);
    entry->NameId = nameId;
    return entry;
}

TGrVariables* TStackInfo::Find(const TPointer<TGrVariables>& list, uint32_t nameId) {
    for (TGrVariables* entry = list.Head; entry != nullptr; entry = entry->Next) {
        if (entry->NameId == nameId) {
            return entry;
        }
    }
    return nullptr;
}
