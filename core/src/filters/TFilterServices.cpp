#include "core/src/filters/TFilterServices.h"

#include "core/src/filters/TFilterMatcher.h"
#include "core/src/filters/TFilterPropertyPages.h"
#include "core/src/filters/TFilterXmlWriter.h"
#include "core/src/framework/TCoreModule.h"
#include "foundation/TMemoryObject.h"
#include "platform/text/CodePage.h"
#include "platform/win/Library.h"

#include <cstdlib>
#include <cstring>
#include <new>

using plat::media::FilterInfo;

namespace {

constexpr std::int32_t kTextBlock = 2048;

// The store as its file holds it; a missing or malformed file leaves it empty.
plat::media::MeritStore LoadedStore(const std::string& folder) {
    plat::media::MeritStore store(folder);
    store.Load();
    return store;
}

} // namespace

TFilterServices::TFilterServices(const std::string& folder)
    : store_(LoadedStore(folder)), catalogue_(&store_), merits_(store_, catalogue_, folder) {}

TFilterServices TFilterServices::ForLibrary() {
    return TFilterServices(
        TCoreModule::FolderOf(plat::win::ModuleFileNameOf(reinterpret_cast<const void*>(&ForLibrary))));
}

char16_t* TFilterServices::CopyOut(const TMemoryObject& text) {
    const std::size_t length = static_cast<std::size_t>(text.TextLength());
    auto* block = static_cast<char16_t*>(std::malloc((length + 1) * sizeof(char16_t)));
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    std::memcpy(block, text.Text(), length * sizeof(char16_t));
    block[length] = u'\0';
    return block;
}

std::int32_t TFilterServices::GetCommonDsFilters(char16_t** out) const {
    if (out == nullptr) {
        return 0;
    }
    TMemoryObject text(kTextBlock);
    const std::int32_t renderers = TFilterXmlWriter(catalogue_).WriteCommonFilters(text);
    *out = CopyOut(text);
    return renderers;
}

std::int32_t TFilterServices::GetAllFilters(char16_t** out) const {
    if (out != nullptr) {
        TMemoryObject text(kTextBlock);
        TFilterXmlWriter(catalogue_).WriteAllFilters(text);
        *out = CopyOut(text);
    }
    return 0;
}

std::int32_t TFilterServices::GetFCCFilters(std::uint32_t fourCC, char16_t** out) const {
    const auto filters = TFilterMatcher(catalogue_).MatchFourCC(fourCC);
    if (out != nullptr) {
        TMemoryObject text(kTextBlock);
        TFilterXmlWriter::WriteFourCCFilters(filters, text);
        *out = CopyOut(text);
    }
    return static_cast<std::int32_t>(filters.size());
}

std::int32_t TFilterServices::GetFilterInfo(const char16_t* displayName, char16_t** out) const {
    const FilterInfo* info = out != nullptr && displayName != nullptr
                                 ? catalogue_.FindByDisplayName(plat::text::WideToAnsi(displayName))
                                 : nullptr;
    if (info == nullptr) {
        return -1;
    }
    TMemoryObject text(kTextBlock);
    TFilterXmlWriter::WriteFilterInfo(*info, text);
    *out = CopyOut(text);
    return 0;
}

bool TFilterServices::ShowFilterProp(plat::win::HWND owner, const char16_t* displayName) const {
    return TFilterPropertyPages::ShowCatalogueFilter(catalogue_, owner, displayName);
}

std::int32_t TFilterServices::SetRit(const char16_t* displayName, std::uint32_t merit) {
    const bool written = displayName != nullptr && merits_.WriteMeritByName(displayName, merit);
    merits_.RefreshFilterCache();
    return written ? 1 : 0;
}
