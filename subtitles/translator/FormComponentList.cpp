#include "subtitles/translator/FormComponentList.h"

#include <algorithm>

FormComponentList* FormComponentList::Find(const QObject* form) {
    for (QObject* child : form->children()) {
        if (auto* list = dynamic_cast<FormComponentList*>(child)) {
            return list;
        }
    }
    return nullptr;
}

FormComponentList* FormComponentList::Of(QObject* form) {
    FormComponentList* list = Find(form);
    return list ? list : new FormComponentList(form); // owned by the form
}

void FormComponentList::Add(QObject* component) {
    const bool listed =
        std::any_of(Listed.begin(), Listed.end(),
                    [component](const QPointer<QObject>& entry) { return entry == component; });
    if (!listed) {
        Listed.emplace_back(component);
    }
}

std::vector<QObject*> FormComponentList::Components() const {
    std::vector<QObject*> alive;
    for (const QPointer<QObject>& entry : Listed) {
        if (entry) {
            alive.push_back(entry.data());
        }
    }
    return alive;
}
