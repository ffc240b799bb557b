#include "player/model/discinfo/TDVDInfo.h"

#include "foundation/TMemoryObject.h"
#include "foundation/TXml.h"
#include "platform/text/CaseFold.h"
#include "platform/text/CodePage.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace {

constexpr int32_t kGrowStep = 1024;
constexpr char16_t kByteOrderMark = 0xFEFF;

// Makes the file's folder when it is missing; its own parent must exist.
bool MakeFolderOf(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (folder.empty()) {
        return true;
    }
    return ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
}

} // namespace

void TDVDInfo::Clear() {
    fileName_.reset();
    profile_.reset();
}

void TDVDInfo::Load(const char16_t* file) {
    fileName_.reset();
    if (file == nullptr) {
        return;
    }
    fileName_ = file;
    TXml document;
    if (!document.LoadFromFile(file) || !document.First() ||
        !plat::text::EqualsNoCase(document.Current->Name.get(), u"DVDINFO")) {
        return;
    }
    TXmlNode* profile = nullptr;
    if (document.Current->FindChild(u"Profile", profile) == 1 && profile->Text && profile->Text[0] != 0) {
        profile_ = profile->Text.get();
    }
}

void TDVDInfo::SetProfile(const char16_t* path) {
    if (path == nullptr || path[0] == 0) {
        profile_.reset();
    } else {
        profile_ = path;
    }
}

bool TDVDInfo::GetProfile(TMemoryObject* buffer) const {
    if (!profile_) {
        return false;
    }
    if (buffer != nullptr) {
        buffer->SetUsed(0);
        buffer->AppendChars(profile_->data(), static_cast<int32_t>(profile_->size()));
        buffer->AppendNul();
    }
    return true;
}

bool TDVDInfo::Save() const {
    if (!fileName_ || !MakeFolderOf(plat::text::WideToAnsi(*fileName_))) {
        return false;
    }
    TMemoryObject text(kGrowStep);
    text.AppendChars(&kByteOrderMark, 1);
    text.AppendString(u"<DVDINFO>\r\n");
    if (profile_) {
        text.AppendString(u"   <Profile>");
        text.AppendXmlEscaped(profile_->c_str(), true, false);
        text.AppendString(u"</Profile>\r\n");
    }
    text.AppendString(u"</DVDINFO>\r\n");
    return text.SaveToFile(fileName_->c_str());
}
