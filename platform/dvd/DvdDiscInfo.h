#pragma once
// What libdvdread tells of a disc without playing it: the disc id, the titles and their chapter
// counts, the title sets, and the video, audio and subpicture attributes of titles and menus.
// Opens a folder holding VIDEO_TS, the VIDEO_TS folder itself or a disc image.
#include "platform/dvd/DvdAttributes.h"
#include "platform/dvd/DvdTypes.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat::dvd {

class DvdDiscInfo {
public:
    // Null with E_INVALIDARG in *result when the path holds no readable DVD-Video volume.
    static std::unique_ptr<DvdDiscInfo> Open(const std::string& path, HResult* result);
    ~DvdDiscInfo();
    DvdDiscInfo(const DvdDiscInfo&) = delete;
    DvdDiscInfo& operator=(const DvdDiscInfo&) = delete;

    // The first 8 bytes of libdvdread's disc id (an MD5 over the IFO files), the first byte highest.
    std::uint64_t DiscId() const { return discId_; }
    std::uint32_t TitleCount() const;
    // E_INVALIDARG for a title the disc does not have.
    HResult ChapterCount(std::uint32_t title, std::uint32_t* chapters) const;
    // The title's attributes and those of its title set's menus; E_INVALIDARG for an unknown title,
    // E_FAIL when its title set cannot be read.
    HResult TitleAttributes(std::uint32_t title, DvdMenuAttributes* menu,
                            DvdTitleAttributes* attributes) const;
    // The video of a title set's titles or menus (title set 0: the video manager's menus).
    HResult VideoAttributes(int titleSet, bool menu, DvdVideoAttributes* video) const;
    // The title set that holds the title, 0 when unknown.
    int TitleSetOf(std::uint32_t title) const;
    // Locale ids of a title set's title streams; 0 for a stream it does not have.
    std::uint32_t AudioLanguage(int titleSet, int stream) const;
    std::uint32_t SubpictureLanguage(int titleSet, int stream) const;
    std::uint32_t AudioStreamCount(int titleSet) const;
    std::uint32_t SubpictureStreamCount(int titleSet) const;

private:
    DvdDiscInfo() = default;
    // The title set's information, read once; null when it cannot be read.
    ifo_handle_t* TitleSet(int titleSet) const;

    dvd_reader_t* reader_ = nullptr;
    ifo_handle_t* manager_ = nullptr;
    mutable std::vector<ifo_handle_t*> titleSets_; // index = title set number, null until read
    std::uint64_t discId_ = 0;
};

} // namespace plat::dvd
