#pragma once
// Filter merits as the graph engine changes them: permanent changes kept in the merit store,
// temporary ones (a forbidden filter gets merit 0) recorded first in the undo log, and the refresh that
// projects the stored merits onto the media layer's ranks.
#include "core/src/filters/TMeritUndoLog.h"
#include "platform/media/FilterCatalogue.h"
#include "platform/media/MeritStore.h"

#include <cstdint>
#include <string>

class TFilterMerits {
public:
    // The store and the catalogue built over it; the undo log lives in `undoFolder`.
    TFilterMerits(plat::media::MeritStore& store, plat::media::FilterCatalogue& catalogue,
                  std::string undoFolder);

    // A filter by its display name ("@device:sw:{category}\{class id}").
    bool ReadMeritByName(const std::u16string& displayName, std::uint32_t& merit) const;
    bool WriteMeritByName(const std::u16string& displayName, std::uint32_t merit);
    // A filter by its category's and its own class id texts; the category must be the filter's.
    bool ReadMeritByClsid(const std::u16string& category, const std::u16string& clsid,
                          std::uint32_t& merit) const;
    bool WriteMeritByClsid(const std::u16string& category, const std::u16string& clsid, std::uint32_t merit);

    // Logs the current merit, then sets merit 0; false (nothing lowered) when either step fails.
    bool ForbidFilterByName(const std::u16string& displayName);
    bool ForbidFilterByClsid(const std::u16string& category, const std::u16string& clsid);
    // Writes back the logged merits, the first entry of a filter winning, and deletes the log. True when
    // a log was read; a log that cannot be read stays for the next replay.
    bool ReplayMeritUndo();
    // Applies the stored merits to the catalogue's ranks.
    void RefreshFilterCache();

private:
    const plat::media::FilterInfo* FindByName(const std::u16string& displayName) const;
    const plat::media::FilterInfo* FindByClsid(const std::u16string& category,
                                               const std::u16string& clsid) const;
    bool Read(const plat::media::FilterInfo* info, std::uint32_t& merit) const;
    bool Write(const plat::media::FilterInfo* info, std::uint32_t merit);
    bool Forbid(const plat::media::FilterInfo* info, const TMeritUndoEntry& address);
    void Restore(const TMeritUndoEntry& entry);

    plat::media::MeritStore& store_;
    plat::media::FilterCatalogue& catalogue_;
    TMeritUndoLog undoLog_;
};
