#include "player/model/controllers/TFiltersInfo.h"

#include "foundation/TXml.h"
#include "platform/text/CaseFold.h"
#include "player/model/events/PlayerEvents.h"

#include <set>
#include <string_view>
#include <utility>

namespace text = plat::text;

namespace {

bool NameIs(const TXmlNode* node, std::u16string_view name) {
    return node->Name != nullptr && text::EqualsNoCase(node->Name.get(), name);
}

TXmlNode* Child(TXmlNode* parent, const char16_t* name) {
    TXmlNode* child = nullptr;
    return parent->FindChild(name, child) == 1 ? child : nullptr;
}

// The text of a child element; nothing without the element, its text, or (when asked) an empty text.
std::optional<std::u16string> ChildText(TXmlNode* parent, const char16_t* name, bool emptyIsNone) {
    const TXmlNode* child = Child(parent, name);
    if (child == nullptr || child->Text == nullptr || (emptyIsNone && child->Text[0] == 0)) {
        return std::nullopt;
    }
    return std::u16string(child->Text.get());
}

bool SameClass(const TFiltersEntry& filter, const std::optional<std::u16string>& clsid) {
    return filter.Clsid && clsid && text::EqualsNoCase(*filter.Clsid, *clsid);
}

std::optional<TPinEntry> ReadPin(TXmlNode* element) {
    if (!NameIs(element, u"INPUT") && !NameIs(element, u"OUTPUT")) {
        return std::nullopt;
    }
    std::optional<std::u16string> name = ChildText(element, u"NAME", true);
    if (!name) {
        return std::nullopt;
    }
    TPinEntry pin;
    pin.Input = element->Name[0] == u'I' || element->Name[0] == u'i';
    pin.Name = std::move(*name);
    if (TXmlNode* connection = Child(element, u"CONNECTEDTO")) {
        pin.ConnectedPin = ChildText(connection, u"PIN", false);
        pin.ConnectedClsid = ChildText(connection, u"FILTERCLSID", false);
    }
    return pin;
}

} // namespace

TFiltersInfo::TFiltersInfo(TPlayerObjects& hub) : TPlayerObjects(&hub) {}

int32_t TFiltersInfo::AddListener(void* userData, uint32_t tag, TPlayerEventCallback callback) {
    return TCallbackFunction::Register(&listeners_, userData, tag, callback);
}

void TFiltersInfo::Clear(bool silent) {
    filters_.Clear();
    if (!silent) {
        TCallbackFunction::Broadcast(&listeners_, kEventFilters, 0, 0, 0);
    }
}

void TFiltersInfo::ParseFiltersXml(const char16_t* xml) {
    Clear(true);
    TXml document;
    if (xml != nullptr && document.Parse(xml) && document.Head != nullptr &&
        document.Head->Children.Count > 0 && NameIs(document.Head, u"FILTERSLIST")) {
        for (TXmlNode* child = document.Head->Children.Head; child != nullptr; child = child->Next) {
            if (NameIs(child, u"FILTER")) {
                ReadFilter(child);
            }
        }
    }
    filters_.Renumber();
    ResolveConnections();
    TCallbackFunction::Broadcast(&listeners_, kEventFilters, 0, 0, 0);
}

void TFiltersInfo::ReadFilter(TXmlNode* element) {
    TFiltersEntry* filter = filters_.Add(filters_.Tail);
    filter->Name = ChildText(element, u"NAME", true);
    filter->Clsid = ChildText(element, u"CLSID", false);
    filter->HasPropertyPages = Child(element, u"HasProperties") != nullptr;
    TXmlNode* pins = Child(element, u"PINS");
    if (pins == nullptr || pins->Text == nullptr) {
        return;
    }
    for (TXmlNode* pinElement = pins->Children.Head; pinElement != nullptr; pinElement = pinElement->Next) {
        if (std::optional<TPinEntry> pin = ReadPin(pinElement)) {
            filter->Pins.push_back(std::move(*pin));
        }
    }
}

// The document names a connection's far end only by its pin name and its filter's class, which several
// filters may share. The far filter is the one of that class whose pin of that name points back at this
// pin's name and this filter's class, and whose pin is not yet paired; pairs are taken in document
// order, so that two identical chains pair up in order. When no filter points back, the first filter of
// the class is taken.
void TFiltersInfo::ResolveConnections() {
    std::set<const TPinEntry*> paired;
    for (TFiltersEntry* filter = filters_.Head; filter != nullptr; filter = filter->Next) {
        for (TPinEntry& pin : filter->Pins) {
            if (!pin.ConnectedClsid || paired.contains(&pin)) {
                continue;
            }
            const TFiltersEntry* fallback = nullptr;
            for (TFiltersEntry* other = filters_.Head; other != nullptr && pin.ConnectedFilter == nullptr;
                 other = other->Next) {
                if (!SameClass(*other, pin.ConnectedClsid)) {
                    continue;
                }
                fallback = fallback != nullptr ? fallback : other;
                for (TPinEntry& far : other->Pins) {
                    if (other != filter && !paired.contains(&far) && pin.ConnectedPin == far.Name &&
                        far.ConnectedPin == pin.Name && SameClass(*filter, far.ConnectedClsid)) {
                        pin.ConnectedFilter = other;
                        far.ConnectedFilter = filter;
                        paired.insert(&pin);
                        paired.insert(&far);
                        break;
                    }
                }
            }
            if (pin.ConnectedFilter == nullptr) {
                pin.ConnectedFilter = fallback;
            }
        }
    }
}

const TFiltersEntry* TFiltersInfo::GetFilter(int32_t index) const {
    for (const TFiltersEntry* filter = filters_.Head; filter != nullptr; filter = filter->Next) {
        if (filter->Index == index + 1) {
            return filter;
        }
    }
    return nullptr;
}

const TFiltersEntry* TFiltersInfo::FindByName(const char16_t* wanted, bool contains) const {
    if (wanted == nullptr || *wanted == 0) {
        return nullptr;
    }
    const std::u16string foldedWanted = text::FoldCase(wanted);
    for (const TFiltersEntry* filter = filters_.Head; filter != nullptr; filter = filter->Next) {
        if (!filter->Name) {
            continue;
        }
        const std::u16string name = text::FoldCase(*filter->Name);
        if (contains ? name.find(foldedWanted) != std::u16string::npos : name.starts_with(foldedWanted)) {
            return filter;
        }
    }
    return nullptr;
}

const TFiltersEntry* TFiltersInfo::FindByClsid(const char16_t* wanted) const {
    if (wanted == nullptr) {
        return nullptr;
    }
    for (const TFiltersEntry* filter = filters_.Head; filter != nullptr; filter = filter->Next) {
        if (SameClass(*filter, std::u16string(wanted))) {
            return filter;
        }
    }
    return nullptr;
}

int32_t TFiltersInfo::ShowFilterProperties(plat::win::HWND owner, int32_t number) {
    TOrderFilterProperties record{};
    record.ownerWindow = owner;
    record.filterNumber = static_cast<uint32_t>(number);
    return SendRecord(kOrderFilterProperties, record);
}
