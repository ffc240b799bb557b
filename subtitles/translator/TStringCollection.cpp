#include "subtitles/translator/TStringCollection.h"

#include "platform/text/CaseFold.h"
#include "subtitles/translator/XmlName.h"

#include <algorithm>
#include <utility>

namespace {

bool IsUsableKey(std::string_view key) {
    return key.size() <= TStringCollection::kMaxKeyLength && IsXmlName(key);
}

} // namespace

TStringCollection::TStringCollection(std::string name) : Name(std::move(name)) {}

TStringCollection::~TStringCollection() = default;

std::vector<TStringCollection::Key>::const_iterator
TStringCollection::LowerBound(std::string_view key) const {
    return std::lower_bound(Keys.begin(), Keys.end(), key, [](const Key& entry, std::string_view wanted) {
        return plat::text::CompareNoCaseA(entry.Name, wanted) < 0;
    });
}

const TStringCollection::Key* TStringCollection::Lookup(std::string_view key) const {
    const auto at = LowerBound(key);
    if (at == Keys.end() || plat::text::CompareNoCaseA(at->Name, key) != 0) {
        return nullptr;
    }
    return &*at;
}

bool TStringCollection::Add(std::string_view key, std::u16string_view text) {
    if (!IsUsableKey(key)) {
        return false;
    }
    Values.emplace_back(text);
    const std::size_t value = Values.size() - 1;
    const auto at = LowerBound(key);
    if (at != Keys.end() && plat::text::CompareNoCaseA(at->Name, key) == 0) {
        Keys[static_cast<std::size_t>(at - Keys.begin())].Value = value;
    } else {
        Keys.insert(at, Key{std::string(key), value});
    }
    return true;
}

void TStringCollection::Clear() {
    Keys.clear();
    Values.clear();
}

bool TStringCollection::SetText(std::string_view key, std::u16string_view text) {
    const Key* entry = Lookup(key);
    if (!entry) {
        return false;
    }
    Values[entry->Value] = text;
    return true;
}

std::u16string TStringCollection::GetText(std::string_view key) const {
    const Key* entry = Lookup(key);
    return entry ? Values[entry->Value] : std::u16string();
}

bool TStringCollection::Find(std::string_view key, std::u16string* text) const {
    const Key* entry = Lookup(key);
    if (entry && text) {
        *text = Values[entry->Value];
    }
    return entry != nullptr;
}

bool TStringCollection::GetEntry(int index, std::string* key, std::u16string* text) const {
    if (index < 0 || index >= Count()) {
        return false;
    }
    const Key& entry = Keys[static_cast<std::size_t>(index)];
    if (key) {
        *key = entry.Name;
    }
    if (text) {
        *text = Values[entry.Value];
    }
    return true;
}
