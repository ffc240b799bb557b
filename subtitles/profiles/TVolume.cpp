#include "subtitles/profiles/TVolume.h"

#include "platform/text/CaseFold.h"
#include "subtitles/profiles/TLanguage.h"

namespace {

bool StoreInFirstFree(std::array<int32_t, TVolume::kIdSlots>& slots, int32_t value) {
    for (int32_t& slot : slots) {
        if (slot == 0) {
            slot = value;
            return true;
        }
    }
    return false;
}

} // namespace

TVolume::TVolume() = default;

TVolume::~TVolume() = default;

bool TVolume::HasLanguage(std::u16string_view name) const {
    if (name.empty()) {
        return Languages.Count > 0;
    }
    for (const TLanguage* language = Languages.Head; language; language = language->Next) {
        if (plat::text::EqualsNoCase(language->Name, name)) {
            return true;
        }
    }
    return false;
}

TLanguage* TVolume::GetLanguage(int32_t index) const {
    for (TLanguage* language = Languages.Head; language; language = language->Next) {
        if (language->Index == index + 1) {
            return language;
        }
    }
    return nullptr;
}

int TVolume::AddLanguage(std::u16string_view name, std::u16string_view entry,
                         std::u16string_view archivePath) {
    TLanguage* language = Languages.Add();
    if (language == nullptr) {
        return 0;
    }
    language->Pool = Pool;
    Languages.Renumber();
    if (!name.empty() && !entry.empty() && !archivePath.empty()) {
        language->SetFile(name, entry, archivePath);
    } else {
        language->Name = std::u16string(name.substr(0, TLanguage::kMaxName));
    }
    return 1;
}

bool TVolume::LoadLanguages(TZipControl* archive, bool force) {
    for (TLanguage* language = Languages.Head; language; language = language->Next) {
        if (!language->Entry.empty()) {
            language->Load(archive, force);
        }
    }
    return HasLanguage();
}

bool TVolume::HasUnloadedLanguage() const {
    for (const TLanguage* language = Languages.Head; language; language = language->Next) {
        if (language->Loaded == 0 && !language->Entry.empty()) {
            return true;
        }
    }
    return false;
}

bool TVolume::UnloadLanguages() {
    for (TLanguage* language = Languages.Head; language; language = language->Next) {
        language->Clear();
    }
    return false;
}

bool TVolume::AddIdHigh(int32_t value) {
    return StoreInFirstFree(IDHigh, value);
}

bool TVolume::AddIdLow(int32_t value) {
    return StoreInFirstFree(IDLow, value);
}

bool TVolume::HasIdPair(std::size_t slot) const {
    return slot < kIdSlots && IDHigh[slot] != 0 && IDLow[slot] != 0;
}

bool TVolume::MatchesDiscId(int32_t high, int32_t low) const {
    for (std::size_t slot = 0; slot < kIdSlots; ++slot) {
        if (HasIdPair(slot) && IDHigh[slot] == high && IDLow[slot] == low) {
            return true;
        }
    }
    return false;
}
