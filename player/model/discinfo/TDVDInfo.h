#pragma once
// The disc information file "Info.xml" of one per-disc folder: the path of the subtitle profile the
// user assigned to the disc. The file is UTF-16LE text after the byte-order mark FF FE:
//   <DVDINFO>
//      <Profile>path</Profile>      (only with a profile; < > & escaped)
//   </DVDINFO>
// with CR LF line ends and no terminating zero.
#include "player/model/controllers/IDVDInfo.h"

#include <optional>
#include <string>

class TMemoryObject;

class TDVDInfo : public IDVDInfo {
public:
    TDVDInfo() = default;

    // Forgets the file name and the profile.
    void Clear() override;
    // Keeps the name (none for nullptr). When the file reads as a DVDINFO document, its Profile text
    // becomes the profile; a file without one, or one that cannot be read, leaves the profile held.
    void Load(const char16_t* file) override;
    // nullptr or an empty path clears the profile.
    void SetProfile(const char16_t* path);
    // False without a profile; with a buffer, its content becomes the path and a zero character.
    bool GetProfile(TMemoryObject* buffer) const;
    // Writes the whole file, making its folder (one level) when it is missing. False without a file
    // name, when the folder cannot be made or when not every byte reached the file.
    bool Save() const;

    const std::optional<std::u16string>& FileName() const { return fileName_; }

private:
    std::optional<std::u16string> fileName_;
    std::optional<std::u16string> profile_;
};
