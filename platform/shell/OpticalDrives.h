#pragma once
// The optical drives of the machine, in place of the drive letters of CD and DVD drives: the block
// devices sysfs lists as CD/DVD drives, each with the mount points of the disc in it.
#include "platform/shell/MountTable.h"

#include <string>
#include <vector>

namespace plat::shell {

struct OpticalDrive {
    std::string Name;                     // "sr0"
    std::string Device;                   // "/dev/sr0"
    std::vector<std::string> MountPoints; // where its disc is mounted; empty without one
};

// The drives below the sysfs block folder ("/sys/block"): the entries whose SCSI device type is 5
// (CD/DVD) or, without a type, whose name begins with "sr"; their mount points are the entries of
// `mounts` with the drive's device number. In name order.
std::vector<OpticalDrive> ListOpticalDrives(const std::string& sysBlockFolder,
                                            const std::vector<MountEntry>& mounts);

} // namespace plat::shell
