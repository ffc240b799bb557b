#include "platform/dvd/DvdUserOperations.h"

namespace plat::dvd {

std::uint32_t DvdUserOperations::ProhibitedMask(const user_ops_t& ops) {
    const auto bit = [](unsigned set, std::uint32_t flag) { return set != 0 ? flag : 0u; };
    return bit(ops.title_or_time_play, uop::PlayTitleOrAtTime) |
           bit(ops.chapter_search_or_play, uop::PlayChapter) | bit(ops.title_play, uop::PlayTitle) |
           bit(ops.stop, uop::Stop) | bit(ops.go_up, uop::ReturnFromSubmenu) |
           bit(ops.time_or_chapter_search, uop::PlayChapterOrAtTime) |
           bit(ops.prev_or_top_pg_search, uop::PlayPrevOrReplayChapter) |
           bit(ops.next_pg_search, uop::PlayNextChapter) | bit(ops.forward_scan, uop::PlayForwards) |
           bit(ops.backward_scan, uop::PlayBackwards) | bit(ops.title_menu_call, uop::ShowMenuTitle) |
           bit(ops.root_menu_call, uop::ShowMenuRoot) | bit(ops.subpic_menu_call, uop::ShowMenuSubpicture) |
           bit(ops.audio_menu_call, uop::ShowMenuAudio) | bit(ops.angle_menu_call, uop::ShowMenuAngle) |
           bit(ops.chapter_menu_call, uop::ShowMenuChapter) | bit(ops.resume, uop::Resume) |
           bit(ops.button_select_or_activate, uop::SelectOrActivateButton) |
           bit(ops.still_off, uop::StillOff) | bit(ops.pause_on, uop::PauseOn) |
           bit(ops.audio_stream_change, uop::SelectAudioStream) |
           bit(ops.subpic_stream_change, uop::SelectSubpictureStream) |
           bit(ops.angle_change, uop::SelectAngle) |
           bit(ops.karaoke_audio_pres_mode_change, uop::SelectKaraokeMode) |
           bit(ops.video_pres_mode_change, uop::SelectVideoModePreference);
}

std::uint32_t DvdUserOperations::MenuFlag(DvdMenuId menu) {
    switch (menu) {
    case DvdMenuId::Root:
        return uop::ShowMenuRoot;
    case DvdMenuId::Subpicture:
        return uop::ShowMenuSubpicture;
    case DvdMenuId::Audio:
        return uop::ShowMenuAudio;
    case DvdMenuId::Angle:
        return uop::ShowMenuAngle;
    case DvdMenuId::Chapter:
        return uop::ShowMenuChapter;
    case DvdMenuId::Title:
        break;
    }
    return uop::ShowMenuTitle;
}

} // namespace plat::dvd
