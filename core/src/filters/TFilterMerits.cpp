#include "core/src/filters/TFilterMerits.h"

#include "platform/media/FilterCategories.h"
#include "platform/text/CodePage.h"

using plat::media::FilterCatalogue;
using plat::media::FilterCategories;
using plat::media::FilterInfo;
using plat::media::Guid;

TFilterMerits::TFilterMerits(plat::media::MeritStore& store, FilterCatalogue& catalogue,
                             std::string undoFolder)
    : store_(store), catalogue_(catalogue), undoLog_(std::move(undoFolder)) {}

const FilterInfo* TFilterMerits::FindByName(const std::u16string& displayName) const {
    return catalogue_.FindByDisplayName(plat::text::WideToAnsi(displayName));
}

const FilterInfo* TFilterMerits::FindByClsid(const std::u16string& category,
                                             const std::u16string& clsid) const {
    const auto categoryId = Guid::Parse(plat::text::WideToAnsi(category));
    const auto classId = Guid::Parse(plat::text::WideToAnsi(clsid));
    const FilterInfo* info = classId ? catalogue_.FindByClassId(*classId) : nullptr;
    return info != nullptr && categoryId && FilterCategories::Holds(*categoryId, info->category) ? info
                                                                                                 : nullptr;
}

bool TFilterMerits::Read(const FilterInfo* info, std::uint32_t& merit) const {
    if (info == nullptr) {
        return false;
    }
    merit = store_.Find(info->classId).value_or(info->merit);
    return true;
}

bool TFilterMerits::Write(const FilterInfo* info, std::uint32_t merit) {
    if (info == nullptr) {
        return false;
    }
    const auto previous = store_.Find(info->classId);
    store_.Set(info->classId, merit);
    if (plat::media::Succeeded(store_.Save())) {
        return true;
    }
    // The file keeps the old merit, and so does the store.
    if (previous) {
        store_.Set(info->classId, *previous);
    } else {
        store_.Erase(info->classId);
    }
    return false;
}

bool TFilterMerits::ReadMeritByName(const std::u16string& displayName, std::uint32_t& merit) const {
    return Read(FindByName(displayName), merit);
}

bool TFilterMerits::WriteMeritByName(const std::u16string& displayName, std::uint32_t merit) {
    return Write(FindByName(displayName), merit);
}

bool TFilterMerits::ReadMeritByClsid(const std::u16string& category, const std::u16string& clsid,
                                     std::uint32_t& merit) const {
    return Read(FindByClsid(category, clsid), merit);
}

bool TFilterMerits::WriteMeritByClsid(const std::u16string& category, const std::u16string& clsid,
                                      std::uint32_t merit) {
    return Write(FindByClsid(category, clsid), merit);
}

bool TFilterMerits::Forbid(const FilterInfo* info, const TMeritUndoEntry& address) {
    TMeritUndoEntry entry = address;
    // The merit is never lowered without its undo entry.
    return Read(info, entry.merit) && undoLog_.Append(entry) && Write(info, 0);
}

bool TFilterMerits::ForbidFilterByName(const std::u16string& displayName) {
    return Forbid(FindByName(displayName), TMeritUndoEntry::ByName(displayName, 0));
}

bool TFilterMerits::ForbidFilterByClsid(const std::u16string& category, const std::u16string& clsid) {
    return Forbid(FindByClsid(category, clsid), TMeritUndoEntry::ByClsid(category, clsid, 0));
}

void TFilterMerits::Restore(const TMeritUndoEntry& entry) {
    if (entry.displayName.empty()) {
        WriteMeritByClsid(entry.category, entry.clsid, entry.merit);
    } else {
        WriteMeritByName(entry.displayName, entry.merit);
    }
}

bool TFilterMerits::ReplayMeritUndo() {
    const auto entries = undoLog_.Read();
    if (!entries) {
        return false;
    }
    // Latest first, so a filter lowered twice ends at the merit of its first entry.
    for (auto entry = entries->rbegin(); entry != entries->rend(); ++entry) {
        Restore(*entry);
    }
    undoLog_.Remove();
    return true;
}

void TFilterMerits::RefreshFilterCache() {
    catalogue_.Refresh();
}
