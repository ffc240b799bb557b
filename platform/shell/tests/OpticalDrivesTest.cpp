// Optical drives from a sysfs block folder made for the test and a mount table text.
#include "platform/shell/OpticalDrives.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using plat::shell::ListOpticalDrives;
using plat::shell::ParseMountInfo;

namespace {

class OpticalDrivesTest : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(block_); }
    void TearDown() override { fs::remove_all(block_.parent_path()); }

    // A block device entry; an empty type leaves the SCSI type file out.
    void Device(const std::string& name, const std::string& number, const std::string& type) {
        fs::create_directories(block_ / name / "device");
        std::ofstream(block_ / name / "dev") << number << "\n";
        if (!type.empty()) {
            std::ofstream(block_ / name / "device" / "type") << type << "\n";
        }
    }

    fs::path block_ = fs::temp_directory_path() / ("optical-" + std::to_string(getpid())) / "block";
};

TEST(MountTableTest, ReadsPointsDevicesAndSourcesAndSkipsMalformedLines) {
    const auto entries =
        ParseMountInfo("22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                       "31 22 11:0 / /media/u/MY\\040DISC ro,relatime shared:5 - udf /dev/sr0 ro\n"
                       "malformed line\n"
                       "40 22 0:50 / relative rw - tmpfs tmpfs rw\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].MountPoint, "/");
    EXPECT_EQ(entries[1].MountPoint, "/media/u/MY DISC");
    EXPECT_EQ(entries[1].Device, "11:0");
    EXPECT_EQ(entries[1].Source, "/dev/sr0");
}

TEST_F(OpticalDrivesTest, ListsTheCdAndDvdDrivesWithTheMountPointsOfTheirDiscs) {
    Device("sda", "8:0", "0");    // a disk
    Device("sr1", "11:1", "");    // no SCSI type: known by its name
    Device("sr0", "11:0", "5");   // a CD/DVD drive
    Device("vdb", "254:16", "5"); // another name, typed as CD/DVD
    const auto mounts = ParseMountInfo("22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                       "31 22 11:0 / /media/u/FILM ro - udf /dev/disk/by-label/FILM ro\n"
                                       "32 22 0:99 / /mnt/other ro - iso9660 /dev/vdb ro\n");
    const auto drives = ListOpticalDrives(block_.string(), mounts);
    ASSERT_EQ(drives.size(), 3u);
    EXPECT_EQ(drives[0].Name, "sr0");
    EXPECT_EQ(drives[0].Device, "/dev/sr0");
    EXPECT_EQ(drives[0].MountPoints, std::vector<std::string>{"/media/u/FILM"}); // by device number
    EXPECT_EQ(drives[1].Name, "sr1");
    EXPECT_TRUE(drives[1].MountPoints.empty());
    EXPECT_EQ(drives[2].MountPoints, std::vector<std::string>{"/mnt/other"}); // by source
}

TEST_F(OpticalDrivesTest, AFolderThatCannotBeReadListsNone) {
    EXPECT_TRUE(ListOpticalDrives((block_ / "missing").string(), {}).empty());
}

} // namespace
