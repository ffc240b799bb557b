#pragma once
// Shared pieces of the zip tests: the archive checks of the Info-ZIP and Python tools, run as real
// processes, and a look at every file below a folder.
#include "subtitles/zip/tests/ProcessRun.h"

#include <filesystem>
#include <string>
#include <vector>

// True when `unzip -t` finds the archive sound.
inline bool UnzipAccepts(const std::string& archive) {
    const ProcessResult result = RunProcess({"unzip", "-t", archive});
    return result.ExitCode == 0 && result.Output.find("No errors detected") != std::string::npos;
}

// True when `python3 -m zipfile -t` finds the archive sound (it exits with 0 either way).
inline bool PythonAccepts(const std::string& archive) {
    const ProcessResult result = RunProcess({"python3", "-m", "zipfile", "-t", archive});
    return result.ExitCode == 0 && result.Output.find("Done testing") != std::string::npos &&
           result.Output.find("corrupted") == std::string::npos;
}

// Every file and link below the folder, as paths relative to it.
inline std::vector<std::string> FilesBelow(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_directory() || entry.is_symlink()) {
            files.push_back(entry.path().lexically_relative(folder).string());
        }
    }
    return files;
}
