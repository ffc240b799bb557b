#include "player/model/tests/storage/StateFileWriter.h"

#include "core/include/StateIndex.h"
#include "platform/storage/CompoundFile.h"
#include "platform/text/CodePage.h"

#include <cstdio>
#include <cstring>

using plat::storage::CompoundFile;

bool StateFileWriter::AddIndexedState(const std::string& file, const std::string& caption, uint8_t title,
                                      uint8_t chapter, uint32_t time, const std::string& state) {
    CompoundFile storage;
    if (!storage.Open(file, CompoundFile::Access::Update, true, 60000)) {
        return false;
    }
    TStateIndex index{};
    if (const std::string* info = storage.Stream(kStateIndexStream); info && info->size() == sizeof index) {
        std::memcpy(&index, info->data(), sizeof index);
    }
    if (index.count >= kStateIndexAddLimit) {
        return false;
    }
    char name[16] = {};
    for (int n = 1; n < 99; ++n) {
        std::snprintf(name, sizeof name, "B%04d", n);
        if (storage.Root().Find(plat::text::AnsiToWide(name)) == nullptr) {
            break;
        }
        name[0] = '\0';
    }
    if (name[0] == '\0') {
        return false;
    }
    TStateIndexSlot& slot = index.entries[index.count++];
    std::memcpy(slot.identifier, name, 6);
    plat::text::CopyToFixedField(caption, slot.caption, sizeof slot.caption);
    slot.title = title;
    slot.chapter = chapter;
    slot.time = time;
    slot.flag1 = 0;
    const std::u16string stateName = plat::text::AnsiToWide(name);
    const CompoundFile::StreamWrite writes[] = {
        {stateName, state},
        {kStateIndexStream, std::string_view(reinterpret_cast<const char*>(&index), sizeof index)}};
    return storage.WriteStreams(writes);
}

bool StateFileWriter::SaveNamedState(const std::string& file, const std::u16string& name,
                                     const std::string& state) {
    CompoundFile storage;
    return storage.Open(file, CompoundFile::Access::Update, true, 60000) && storage.WriteStream(name, state);
}
