#pragma once
// The editor's program entry: one editor per user (the mutex "Pellit3Mutex", a lock the kernel
// releases when the process dies), the wait form as splash, the forms in their fixed order, the main
// form's second start-up stage, the start command line, and the message loop.
class TPellitStartup {
public:
    static constexpr const char* kMutexName = "Pellit3Mutex";

    static int Run(int argc, char** argv);
};
