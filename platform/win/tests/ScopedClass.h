#pragma once
// A window class registered for the length of a test, so that tests can be repeated.
#include "platform/win/Types.h"

#include <string>

namespace plat::win::testing {

class ScopedClass {
public:
    ScopedClass(std::string name, WNDPROC proc, HMODULE instance = nullptr);
    ~ScopedClass(); // unregisters the class
    ScopedClass(const ScopedClass&) = delete;
    ScopedClass& operator=(const ScopedClass&) = delete;

private:
    std::string name_;
};

} // namespace plat::win::testing
