#pragma once
// What the hub needs of the on-screen message controller.
class IOSDControl {
public:
    virtual ~IOSDControl() = default;
    // Shows the texts of a command of the on-screen script ("Osd_Play", ...); false when there are none.
    virtual bool ShowCommand(const char16_t* name) = 0;
    // Sets a variable the script's texts refer to; nothing when either is missing.
    virtual void SetVariable(const char16_t* name, const char16_t* value) = 0;
};
