#pragma once
// A folder of the test's own for a player run in the test's process: the program folder "prog" (its
// System folder a link to the built one), a private runtime folder "run" where the player publishes its
// windows, and a mount table with one ordinary disk. While it exists the player finds both folders
// through the environment, so no test reaches a player the user started, nor one of another test.
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

class PlayerTestFolder {
public:
    // `dist` is the built program folder; `kind` names the folder for whoever finds one left behind.
    PlayerTestFolder(const std::filesystem::path& dist, const std::string& kind) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / ("tovrin-" + kind + "-XXXXXX")).string();
        root_ = ::mkdtemp(pattern.data());
        std::filesystem::create_directories(Program());
        std::filesystem::create_directory_symlink(dist / "System", Program() / "System");
        std::filesystem::create_directory(root_ / "run");
        std::filesystem::permissions(root_ / "run", std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace);
        std::ofstream(MountTable()) << "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n";
        ::setenv("TOVRIN_PROGRAM_FOLDER", Program().c_str(), 1);
        ::setenv("TOVRIN_RUNTIME_DIR", (root_ / "run").c_str(), 1);
    }
    ~PlayerTestFolder() {
        ::unsetenv("TOVRIN_RUNTIME_DIR");
        ::unsetenv("TOVRIN_PROGRAM_FOLDER");
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    PlayerTestFolder(const PlayerTestFolder&) = delete;
    PlayerTestFolder& operator=(const PlayerTestFolder&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path Program() const { return root_ / "prog"; }
    std::filesystem::path MountTable() const { return root_ / "mountinfo"; }

private:
    std::filesystem::path root_;
};
