#include "core/src/state/TStateStorage.h"

#include "platform/storage/CompoundFile.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Format.h"

#include <array>

using plat::storage::CompoundFile;

namespace {

bool Open(CompoundFile& storage, const std::u16string& file, CompoundFile::Access access, bool create) {
    return storage.Open(plat::text::WideToAnsi(file), access, create);
}

} // namespace

bool TStateStorage::WriteState(const std::u16string& file, const std::u16string& stream,
                               const std::string& bytes) {
    CompoundFile storage;
    return Open(storage, file, CompoundFile::Access::Update, true) && storage.WriteStream(stream, bytes);
}

std::optional<std::string> TStateStorage::ReadState(const std::u16string& file,
                                                    const std::u16string& stream) {
    CompoundFile storage;
    if (!Open(storage, file, CompoundFile::Access::Read, false)) {
        return std::nullopt;
    }
    const std::string* bytes = storage.Stream(stream);
    return bytes != nullptr ? std::optional<std::string>(*bytes) : std::nullopt;
}

bool TStateStorage::DeleteState(const std::u16string& file, const std::u16string& stream) {
    CompoundFile storage;
    return Open(storage, file, CompoundFile::Access::Update, false) && storage.DestroyElement(stream);
}

std::u16string TStateStorage::StateName(int number) {
    return plat::text::Format(u"B%04d", number);
}

int TStateStorage::FreeStateNumber(const std::vector<std::u16string>& names) {
    for (int number = 1; number <= kMaxStateNumber; ++number) {
        const std::u16string name = StateName(number);
        bool taken = false;
        for (const std::u16string& element : names) {
            taken = taken || plat::text::EqualsNoCase(element, name);
        }
        if (!taken) {
            return number;
        }
    }
    return 0;
}

bool TStateStorage::SaveIndexed(const std::u16string& file, const std::u16string& caption,
                                const TCapture& capture) {
    TStateIndex::TEntry entry;
    entry.caption = plat::text::WideToAnsi(caption);
    std::string state;
    if (!TStateIndex::Fits(entry) || !capture(state, entry)) {
        return false;
    }
    CompoundFile storage;
    if (!Open(storage, file, CompoundFile::Access::Update, true)) {
        return false;
    }
    const std::string* stream = storage.Stream(TStateIndex::kStreamName);
    TStateIndex index(stream != nullptr ? std::string_view(*stream) : std::string_view());
    const int number = FreeStateNumber(storage.ElementNames());
    if (!index.HasRoom() || number == 0) {
        return false;
    }
    const std::u16string name = StateName(number);
    entry.streamName = plat::text::WideToAnsi(name);
    if (!index.Add(entry)) {
        return false;
    }
    const std::array writes{CompoundFile::StreamWrite{name, state},
                            CompoundFile::StreamWrite{TStateIndex::kStreamName, index.Bytes()}};
    return storage.WriteStreams(writes);
}
