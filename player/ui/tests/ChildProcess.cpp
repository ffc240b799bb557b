#include "tests/ChildProcess.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

extern char** environ;

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::map<std::string, std::string>& env, bool captureOutput) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text = *entry;
        if (env.count(text.substr(0, text.find('='))) == 0) {
            environment.push_back(text);
        }
    }
    for (const auto& [name, value] : env) {
        if (!value.empty()) {
            environment.push_back(name + "=" + value);
        }
    }
    std::vector<char*> args;
    for (const auto& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : environment) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int pipeFds[2] = {-1, -1};
    if (captureOutput && pipe(pipeFds) == 0) {
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
    }
    if (posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), envp.data()) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (pipeFds[1] >= 0) {
        close(pipeFds[1]);
        output_ = pipeFds[0];
    }
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !status_) {
        kill(pid_, SIGKILL);
        WaitExit(std::chrono::seconds(10));
    }
    if (output_ >= 0) {
        close(output_);
    }
}

std::optional<std::string> ChildProcess::ReadLine() {
    for (;;) {
        if (const auto end = buffered_.find('\n'); end != std::string::npos) {
            std::string line = buffered_.substr(0, end);
            buffered_.erase(0, end + 1);
            return line;
        }
        char chunk[512];
        const ssize_t size = output_ >= 0 ? read(output_, chunk, sizeof chunk) : 0;
        if (size <= 0) {
            return std::nullopt;
        }
        buffered_.append(chunk, static_cast<size_t>(size));
    }
}

std::optional<int> ChildProcess::WaitExit(std::chrono::milliseconds bound) {
    if (status_ || pid_ <= 0) {
        return status_;
    }
    // A pidfd becomes readable when the program ends: wait for that, with the bound.
    const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
    if (pidFd >= 0) {
        pollfd fd{pidFd, POLLIN, 0};
        const int ready = poll(&fd, 1, static_cast<int>(bound.count()));
        close(pidFd);
        if (ready <= 0) {
            return std::nullopt;
        }
    }
    int status = 0;
    if (waitpid(pid_, &status, 0) != pid_) {
        return std::nullopt;
    }
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return status_;
}

void ChildProcess::Kill(int signal) {
    if (pid_ > 0 && !status_) {
        kill(pid_, signal);
    }
}
