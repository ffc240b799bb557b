#pragma once
// A program run by a test: started with extra environment, its standard output readable line by
// line, its end awaited with a bound.
#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

class ChildProcess {
public:
    // env: variables to set; an empty value removes the variable.
    ChildProcess(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                 bool captureOutput = false);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    // The next line of output, nothing at its end.
    std::optional<std::string> ReadLine();
    // The exit status (the signal + 128 for a killed program), nothing when it runs on past the bound.
    std::optional<int> WaitExit(std::chrono::milliseconds bound);
    void Kill(int signal);

private:
    pid_t pid_ = -1;
    int output_ = -1;
    std::string buffered_;
    std::optional<int> status_;
};
