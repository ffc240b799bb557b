#pragma once
// Runs a program as a real process and collects its exit code and its output (stdout and stderr).
#include <string>
#include <vector>

struct ProcessResult {
    int ExitCode = -1; // -1 when the program could not be started or did not exit normally
    std::string Output;
};

ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& workingFolder = {});
