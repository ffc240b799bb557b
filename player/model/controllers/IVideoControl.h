#pragma once
// What the hub needs of the video controller.
#include <cstdint>

class IOSDControl;

class IVideoControl {
public:
    virtual ~IVideoControl() = default;
    virtual void SetOSDControl(IOSDControl* osd) = 0;
    // Refreshes the video (with the flag also the colour key and the shown state).
    virtual int32_t Refresh(bool flag) = 0;
    // Reads an ASPECTRATIO file and applies its settings; true when the file could be read.
    virtual bool ApplyAspectRatioFile(const char16_t* path) = 0;
    // Keeps the name of the per-disc aspect-ratio file (none for nullptr or an empty name).
    virtual void SetAspectRatioFile(const char16_t* path) = 0;
};
