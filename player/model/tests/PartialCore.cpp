// A core library that has only its start and stop exports, to see the binding answer for every
// missing one. Each call is reported to the test program when it offers PartialCoreLifecycle.
#include <dlfcn.h>

#include <cstdint>

namespace {

void Report(int event) {
    using Lifecycle = void (*)(int);
    if (auto lifecycle = reinterpret_cast<Lifecycle>(dlsym(RTLD_DEFAULT, "PartialCoreLifecycle"))) {
        lifecycle(event);
    }
}

} // namespace

extern "C" __attribute__((visibility("default"))) int32_t DLL_Start() {
    Report(1);
    return 1;
}

extern "C" __attribute__((visibility("default"))) int32_t DLL_Stop() {
    Report(2);
    return 0;
}
