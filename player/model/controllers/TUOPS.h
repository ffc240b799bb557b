#pragma once
// The DVD user-operation mask the core reports (a set bit prohibits the operation), and the tests of
// the operations the windows offer. Everything is prohibited until the core reports a mask.
#include "player/model/controllers/IUserOperations.h"

class TUOPS : public IUserOperations {
public:
    // The mask bits.
    static constexpr uint32_t kPlayChapter = 0x2;
    static constexpr uint32_t kPlayChapterOrAtTime = 0x20;
    static constexpr uint32_t kPlayPrevOrReplayChapter = 0x40;
    static constexpr uint32_t kPlayNextChapter = 0x80;
    static constexpr uint32_t kPlayForwards = 0x100;
    static constexpr uint32_t kPlayBackwards = 0x200;
    static constexpr uint32_t kShowMenuTitle = 0x400;
    static constexpr uint32_t kShowMenuRoot = 0x800;
    static constexpr uint32_t kShowMenuSubpicture = 0x1000;
    static constexpr uint32_t kShowMenuAudio = 0x2000;
    static constexpr uint32_t kShowMenuAngle = 0x4000;
    static constexpr uint32_t kShowMenuChapter = 0x8000;
    static constexpr uint32_t kPauseOn = 0x80000;
    static constexpr uint32_t kSelectAudioStream = 0x100000;
    static constexpr uint32_t kSelectSubpictureStream = 0x200000;
    static constexpr uint32_t kSelectAngle = 0x400000;

    void Set(int32_t mask) override { mask_ = mask; }
    int32_t Get() const override { return mask_; }
    bool Allows(uint32_t bit) const override { return (static_cast<uint32_t>(mask_) & bit) == 0; }

    bool CanPlayChapter() const { return Allows(kPlayChapter); }
    bool CanPlayAtTime() const { return Allows(kPlayChapterOrAtTime); }
    bool CanPlayPrevChapter() const { return Allows(kPlayPrevOrReplayChapter); }
    bool CanPlayNextChapter() const { return Allows(kPlayNextChapter); }
    bool CanFastForward() const { return Allows(kPlayForwards); }
    // Frame steps share the scan bits.
    bool CanStepForward() const { return Allows(kPlayForwards); }
    bool CanFastBackward() const { return Allows(kPlayBackwards); }
    bool CanStepBackward() const { return Allows(kPlayBackwards); }
    bool CanShowTitleMenu() const { return Allows(kShowMenuTitle); }
    bool CanShowRootMenu() const { return Allows(kShowMenuRoot); }
    bool CanShowSubpictureMenu() const { return Allows(kShowMenuSubpicture); }
    bool CanShowAudioMenu() const { return Allows(kShowMenuAudio); }
    bool CanShowAngleMenu() const { return Allows(kShowMenuAngle); }
    bool CanShowChapterMenu() const { return Allows(kShowMenuChapter); }
    bool CanPause() const { return Allows(kPauseOn); }
    bool CanSelectAudioStream() const { return Allows(kSelectAudioStream); }
    bool CanSelectSubpictureStream() const { return Allows(kSelectSubpictureStream); }
    bool CanSelectAngle() const { return Allows(kSelectAngle); }

private:
    int32_t mask_ = -1;
};
