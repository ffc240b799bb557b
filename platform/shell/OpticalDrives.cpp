#include "platform/shell/OpticalDrives.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace plat::shell {

namespace {

constexpr const char* kScsiTypeRom = "5";

// The first line of a small sysfs file; empty when it cannot be read.
std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

bool IsOptical(const fs::path& entry) {
    std::error_code error;
    if (fs::exists(entry / "device" / "type", error)) {
        return FirstLine(entry / "device" / "type") == kScsiTypeRom;
    }
    return entry.filename().string().rfind("sr", 0) == 0;
}

} // namespace

std::vector<OpticalDrive> ListOpticalDrives(const std::string& sysBlockFolder,
                                            const std::vector<MountEntry>& mounts) {
    std::vector<OpticalDrive> drives;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(sysBlockFolder, error)) {
        if (!IsOptical(entry.path())) {
            continue;
        }
        OpticalDrive drive;
        drive.Name = entry.path().filename().string();
        drive.Device = "/dev/" + drive.Name;
        const std::string number = FirstLine(entry.path() / "dev");
        for (const MountEntry& mount : mounts) {
            if ((!number.empty() && mount.Device == number) || mount.Source == drive.Device) {
                drive.MountPoints.push_back(mount.MountPoint);
            }
        }
        drives.push_back(std::move(drive));
    }
    std::sort(drives.begin(), drives.end(),
              [](const OpticalDrive& a, const OpticalDrive& b) { return a.Name < b.Name; });
    return drives;
}

} // namespace plat::shell
