// Volume arrivals and removals from the mount table.
#include "player/ui/TMountWatcher.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

TEST(MountWatcherTest, ReportsMountPointsThatCameAndWent) {
    const fs::path table = fs::temp_directory_path() / ("mountinfo-" + std::to_string(getpid()));
    std::ofstream(table) << "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                            "30 22 11:0 / /media/u/OLD rw - udf /dev/sr0 ro\n";
    std::vector<std::string> arrived, removed;
    TMountWatcher watcher(
        table.string(), [&](const std::string& root) { arrived.push_back(root); },
        [&](const std::string& root) { removed.push_back(root); });
    std::ofstream(table) << "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                            "31 22 11:0 / /media/u/MY\\040DISC rw - udf /dev/sr0 ro\n"
                            "malformed line\n";
    watcher.Rescan();
    EXPECT_EQ(arrived, std::vector<std::string>{"/media/u/MY DISC"});
    EXPECT_EQ(removed, std::vector<std::string>{"/media/u/OLD"});
    fs::remove(table);
    watcher.Rescan(); // a table that cannot be read changes nothing
    EXPECT_EQ(removed.size(), 1u);
    EXPECT_EQ(arrived.size(), 1u);
}
