#include "subtitles/profiles/TBaseProfile.h"

TBaseProfile::TBaseProfile() = default;

TBaseProfile::~TBaseProfile() {
    Archive.Close();
}

bool TBaseProfile::Load(std::u16string_view, bool, bool) {
    return true;
}

bool TBaseProfile::Save() {
    if (FileName == nullptr) {
        return false;
    }
    // A copy, as storing may set the file name anew.
    const std::u16string path = *FileName;
    return SaveAs(path);
}

bool TBaseProfile::SaveAs(std::u16string_view) {
    return true;
}

void TBaseProfile::SetFileName(std::u16string_view path) {
    FileName = std::make_unique<std::u16string>(path);
}
