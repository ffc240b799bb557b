#pragma once
// What the play-source menu uses of the main form: the optical drives it lists.
#include "platform/shell/OpticalDrives.h"

#include <vector>

class IPlaySourceHost {
public:
    virtual ~IPlaySourceHost() = default;
    // The system's optical drives, each with its device and mount points, read anew.
    virtual std::vector<plat::shell::OpticalDrive> OpticalDrives() const = 0;
};
