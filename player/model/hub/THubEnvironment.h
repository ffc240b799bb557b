#pragma once
// What the hub asks of the machine it runs on. The defaults suit a program without a keyboard or a
// drive table: the Shift key is never down and no volume has a label. The programs install one that
// asks the keyboard and their drive table.
#include <cstdint>
#include <string>

class THubEnvironment {
public:
    virtual ~THubEnvironment() = default;
    // True while a Shift key is held down.
    virtual bool IsShiftDown() const;
    // The label of the volume in a drive (the letter the core reported: 'A' plus the drive's index);
    // empty when it cannot be read.
    virtual std::u16string VolumeLabel(uint8_t driveLetter) const;
    // The English name of a language (LCID); empty when it has none.
    virtual std::u16string LanguageName(uint32_t lcid) const;
};
