#include "player/scripting/TStackInfo.h"

TStackInfo::TStackInfo(TScriptBindings* bindings, bool inForce) : bindings_(bindings) {
    if (inForce) {
        ComeIntoForce();
    }
}

TStackInfo::~TStackInfo() {
    if (!inForce_) {
        return;
    }
    for (const TPointer<TGrVariables>* list : {&functions_, &variables_}) {
        for (const TGrVariables* entry = list->Tail; entry != nullptr; entry = entry->Prev) {
            bindings_->Unbind(entry->NameId);
        }
    }
}

void TStackInfo::ComeIntoForce() {
    if (bindings_ == nullptr || inForce_) {
        return;
    }
    inForce_ = true;
    for (TGrVariables* entry = variables_.Head; entry != nullptr; entry = entry->Next) {
        Bind(*entry, false);
    }
    for (TGrVariables* entry = functions_.Head; entry != nullptr; entry = entry->Next) {
        Bind(*entry, true);
    }
}

TGrVariables* TStackInfo::AddVariable(uint32_t nameId, TScriptValue::TType type) {
    TGrVariables* entry = variables_.Add(variables_.Tail);
    entry->NameId = nameId;
    entry->Value = TScriptValue::OfType(type);
    Bind(*entry, false);
    return entry;
}

TGrVariables* TStackInfo::AddFunction(uint32_t nameId) {
    TGrVariables* entry = functions_.Add(functions_.Tail);
    entry->NameId = nameId;
    Bind(*entry, true);
    return entry;
}

void TStackInfo::Bind(TGrVariables& entry, bool function) {
    if (inForce_) {
        bindings_->Bind(entry.NameId, *this, entry, function);
    }
}

TGrVariables* TStackInfo::Find(const TPointer<TGrVariables>& list, uint32_t nameId) {
    for (TGrVariables* entry = list.Head; entry != nullptr; entry = entry->Next) {
        if (entry->NameId == nameId) {
            return entry;
        }
    }
    return nullptr;
}
