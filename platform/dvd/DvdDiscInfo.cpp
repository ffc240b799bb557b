#include "platform/dvd/DvdDiscInfo.h"

#include "platform/dvd/DvdLanguage.h"
#include "platform/dvd/DvdLogger.h"

#include <dvdread/dvd_reader.h>
#include <dvdread/ifo_read.h>

#include <cstring>
#include <filesystem>

namespace plat::dvd {

namespace {

using media::E_FAIL;
using media::E_INVALIDARG;
using media::S_OK;

// A folder must hold VIDEO_TS (or be it); anything else is taken for an image and left to libdvdread.
bool LooksLikeVolume(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path location(path);
    if (fs::is_regular_file(location, error)) {
        return fs::file_size(location, error) > 0;
    }
    if (!fs::is_directory(location, error)) {
        return false;
    }
    if (location.filename() == "VIDEO_TS" || location.filename() == "video_ts") {
        return true;
    }
    return fs::is_directory(location / "VIDEO_TS", error) || fs::is_directory(location / "video_ts", error);
}

DvdVideoAttributes Video(const video_attr_t& attr) {
    DvdVideoAttributes video{};
    const bool pal = attr.video_format == 1;
    video.panscanPermitted = attr.permitted_df == 0 || attr.permitted_df == 1;
    video.letterboxPermitted = attr.permitted_df == 0 || attr.permitted_df == 2;
    video.aspectX = attr.display_aspect_ratio == 3 ? 16 : 4;
    video.aspectY = attr.display_aspect_ratio == 3 ? 9 : 3;
    video.frameRate = pal ? 25 : 30;
    video.frameHeight = pal ? 576 : 480;
    video.compression = attr.mpeg_version == 0 ? DvdVideoCompression::Mpeg1 : DvdVideoCompression::Mpeg2;
    video.line21Field1InGop = attr.line21_cc_1;
    video.line21Field2InGop = attr.line21_cc_2;
    static constexpr std::uint32_t widths[4] = {720, 704, 352, 352};
    video.sourceResolutionX = widths[attr.picture_size];
    video.sourceResolutionY = attr.picture_size == 3 ? video.frameHeight / 2 : video.frameHeight;
    video.isSourceLetterboxed = attr.letterboxed;
    video.isFilmMode = attr.film_mode;
    return video;
}

DvdAudioFormat AudioFormat(unsigned format) {
    switch (format) {
    case 0:
        return DvdAudioFormat::Ac3;
    case 2:
        return DvdAudioFormat::Mpeg1;
    case 3:
        return DvdAudioFormat::Mpeg2;
    case 4:
        return DvdAudioFormat::Lpcm;
    case 6:
        return DvdAudioFormat::Dts;
    default:
        return DvdAudioFormat::Other;
    }
}

DvdAudioAttributes Audio(const audio_attr_t& attr) {
    DvdAudioAttributes audio{};
    audio.appMode = attr.application_mode <= 2 ? static_cast<DvdAudioAppMode>(attr.application_mode)
                                               : DvdAudioAppMode::Other;
    audio.format = AudioFormat(attr.audio_format);
    audio.language = attr.lang_type == 1 ? DvdLanguage::LcidFromCode(attr.lang_code) : 0;
    audio.languageExtension = attr.code_extension;
    audio.hasMultichannelInfo = attr.multichannel_extension;
    audio.frequency = attr.sample_frequency == 1 ? 96000 : 48000;
    static constexpr std::uint8_t lpcmBits[4] = {16, 20, 24, 0};
    audio.quantization = audio.format == DvdAudioFormat::Lpcm ? lpcmBits[attr.quantization] : 0;
    audio.channels = static_cast<std::uint8_t>(attr.channels + 1);
    return audio;
}

DvdSubpictureAttributes Subpicture(const subp_attr_t& attr) {
    DvdSubpictureAttributes subpicture{};
    subpicture.type = attr.type <= 2 ? static_cast<DvdSubpictureType>(attr.type) : DvdSubpictureType::Other;
    subpicture.coding =
        attr.code_mode <= 1 ? static_cast<DvdSubpictureCoding>(attr.code_mode) : DvdSubpictureCoding::Other;
    subpicture.language = attr.type == 1 ? DvdLanguage::LcidFromCode(attr.lang_code) : 0;
    subpicture.languageExtension = attr.code_extension;
    return subpicture;
}

} // namespace

std::unique_ptr<DvdDiscInfo> DvdDiscInfo::Open(const std::string& path, HResult* result) {
    *result = E_INVALIDARG;
    if (!LooksLikeVolume(path)) {
        return nullptr;
    }
    std::unique_ptr<DvdDiscInfo> info(new DvdDiscInfo());
    info->reader_ = DVDOpen2(nullptr, &DvdLogger::ReaderCallbacks(), path.c_str());
    if (info->reader_ == nullptr) {
        return nullptr;
    }
    info->manager_ = ifoOpen(info->reader_, 0);
    if (info->manager_ == nullptr || info->manager_->vmgi_mat == nullptr ||
        info->manager_->tt_srpt == nullptr) {
        return nullptr;
    }
    unsigned char id[16] = {};
    if (DVDDiscID(info->reader_, id) != 0) {
        return nullptr;
    }
    for (int i = 0; i < 8; ++i) {
        info->discId_ = (info->discId_ << 8) | id[i];
    }
    info->titleSets_.assign(info->manager_->vmgi_mat->vmg_nr_of_title_sets + 1u, nullptr);
    *result = S_OK;
    return info;
}

DvdDiscInfo::~DvdDiscInfo() {
    for (ifo_handle_t* titleSet : titleSets_) {
        if (titleSet != nullptr) {
            ifoClose(titleSet);
        }
    }
    if (manager_ != nullptr) {
        ifoClose(manager_);
    }
    if (reader_ != nullptr) {
        DVDClose(reader_);
    }
}

ifo_handle_t* DvdDiscInfo::TitleSet(int titleSet) const {
    if (titleSet < 1 || static_cast<std::size_t>(titleSet) >= titleSets_.size()) {
        return nullptr;
    }
    if (titleSets_[titleSet] == nullptr) {
        ifo_handle_t* handle = ifoOpen(reader_, titleSet);
        if (handle != nullptr && handle->vtsi_mat == nullptr) {
            ifoClose(handle);
            handle = nullptr;
        }
        titleSets_[titleSet] = handle;
    }
    return titleSets_[titleSet];
}

std::uint32_t DvdDiscInfo::TitleCount() const {
    return manager_->tt_srpt->nr_of_srpts;
}

int DvdDiscInfo::TitleSetOf(std::uint32_t title) const {
    if (title < 1 || title > TitleCount()) {
        return 0;
    }
    return manager_->tt_srpt->title[title - 1].title_set_nr;
}

HResult DvdDiscInfo::ChapterCount(std::uint32_t title, std::uint32_t* chapters) const {
    if (title < 1 || title > TitleCount()) {
        return E_INVALIDARG;
    }
    *chapters = manager_->tt_srpt->title[title - 1].nr_of_ptts;
    return S_OK;
}

HResult DvdDiscInfo::TitleAttributes(std::uint32_t title, DvdMenuAttributes* menu,
                                     DvdTitleAttributes* attributes) const {
    const int titleSetNumber = TitleSetOf(title);
    if (titleSetNumber == 0) {
        return E_INVALIDARG;
    }
    const ifo_handle_t* titleSet = TitleSet(titleSetNumber);
    if (titleSet == nullptr) {
        return E_FAIL;
    }
    const vtsi_mat_t& mat = *titleSet->vtsi_mat;
    if (menu != nullptr) {
        *menu = {};
        const std::uint32_t regions = manager_->vmgi_mat->vmg_category >> 16;
        for (std::uint32_t region = 0; region < 8; ++region) {
            menu->compatibleRegion[region] = (regions >> region & 1) == 0;
        }
        menu->video = Video(mat.vtsm_video_attr);
        menu->audioPresent = mat.nr_of_vtsm_audio_streams > 0;
        menu->audio = menu->audioPresent ? Audio(mat.vtsm_audio_attr) : DvdAudioAttributes{};
        menu->subpicturePresent = mat.nr_of_vtsm_subp_streams > 0;
        menu->subpicture =
            menu->subpicturePresent ? Subpicture(mat.vtsm_subp_attr) : DvdSubpictureAttributes{};
    }
    if (attributes != nullptr) {
        *attributes = {};
        attributes->video = Video(mat.vts_video_attr);
        attributes->audioStreamCount = std::min<std::uint32_t>(mat.nr_of_vts_audio_streams, 8);
        for (std::uint32_t i = 0; i < attributes->audioStreamCount; ++i) {
            attributes->audio[i] = Audio(mat.vts_audio_attr[i]);
            if (attributes->audio[i].appMode == DvdAudioAppMode::Karaoke) {
                attributes->appMode = DvdTitleAppMode::Karaoke;
            }
        }
        attributes->subpictureStreamCount = std::min<std::uint32_t>(mat.nr_of_vts_subp_streams, 32);
        for (std::uint32_t i = 0; i < attributes->subpictureStreamCount; ++i) {
            attributes->subpicture[i] = Subpicture(mat.vts_subp_attr[i]);
        }
    }
    return S_OK;
}

HResult DvdDiscInfo::VideoAttributes(int titleSetNumber, bool menu, DvdVideoAttributes* video) const {
    if (titleSetNumber == 0) {
        *video = Video(manager_->vmgi_mat->vmgm_video_attr);
        return S_OK;
    }
    const ifo_handle_t* titleSet = TitleSet(titleSetNumber);
    if (titleSet == nullptr) {
        return E_FAIL;
    }
    *video = Video(menu ? titleSet->vtsi_mat->vtsm_video_attr : titleSet->vtsi_mat->vts_video_attr);
    return S_OK;
}

std::uint32_t DvdDiscInfo::AudioStreamCount(int titleSetNumber) const {
    const ifo_handle_t* titleSet = TitleSet(titleSetNumber);
    return titleSet != nullptr ? std::min<std::uint32_t>(titleSet->vtsi_mat->nr_of_vts_audio_streams, 8) : 0;
}

std::uint32_t DvdDiscInfo::SubpictureStreamCount(int titleSetNumber) const {
    const ifo_handle_t* titleSet = TitleSet(titleSetNumber);
    return titleSet != nullptr ? std::min<std::uint32_t>(titleSet->vtsi_mat->nr_of_vts_subp_streams, 32) : 0;
}

std::uint32_t DvdDiscInfo::AudioLanguage(int titleSetNumber, int stream) const {
    if (stream < 0 || static_cast<std::uint32_t>(stream) >= AudioStreamCount(titleSetNumber)) {
        return 0;
    }
    return Audio(TitleSet(titleSetNumber)->vtsi_mat->vts_audio_attr[stream]).language;
}

std::uint32_t DvdDiscInfo::SubpictureLanguage(int titleSetNumber, int stream) const {
    if (stream < 0 || static_cast<std::uint32_t>(stream) >= SubpictureStreamCount(titleSetNumber)) {
        return 0;
    }
    return Subpicture(TitleSet(titleSetNumber)->vtsi_mat->vts_subp_attr[stream]).language;
}

} // namespace plat::dvd
