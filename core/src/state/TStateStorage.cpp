#include "core/src/state/TStateStorage.h"

#include "platform/storage/CompoundFile.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"
#include "platform/text/Format.h"

#include <algorithm>
#include <array>
#include <cstring>

using plat::storage::CompoundFile;

namespace {

bool Open(CompoundFile& storage, const std::u16string& file, CompoundFile::Access access, bool create) {
    return storage.Open(plat::text::WideToAnsi(file), access, create);
}

// The index as the stream holds it; bytes beyond the layout are not part of it.
TStateIndex ReadIndex(const std::string* stream) {
    TStateIndex index{};
    if (stream != nullptr) {
        std::memcpy(&index, stream->data(), std::min(stream->size(), sizeof index));
    }
    return index;
}

// Copies text that fits the field with its terminator; the rest of the field is zeroed.
template <std::size_t N> void PutText(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
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
    const std::string text = plat::text::WideToAnsi(caption);
    TStateIndexSlot captured{};
    std::string state;
    if (text.size() >= kStateCaptionBytes || !capture(state, captured)) {
        return false;
    }
    CompoundFile storage;
    if (!Open(storage, file, CompoundFile::Access::Update, true)) {
        return false;
    }
    TStateIndex index = ReadIndex(storage.Stream(kStateIndexStream));
    const int number = FreeStateNumber(storage.ElementNames());
    if (index.count >= kStateIndexAddLimit || number == 0) {
        return false;
    }
    const std::u16string name = StateName(number);
    TStateIndexSlot& slot = index.entries[index.count++];
    PutText(slot.identifier, plat::text::WideToAnsi(name));
    PutText(slot.caption, text);
    slot.title = captured.title;
    slot.chapter = captured.chapter;
    slot.time = captured.time;
    slot.flag1 = 0;
    const std::array writes{
        CompoundFile::StreamWrite{name, state},
        CompoundFile::StreamWrite{kStateIndexStream,
                                  std::string_view(reinterpret_cast<const char*>(&index), sizeof index)}};
    return storage.WriteStreams(writes);
}
