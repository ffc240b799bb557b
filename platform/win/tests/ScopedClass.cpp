#include "platform/win/tests/ScopedClass.h"

#include "platform/win/Window.h"

#include <gtest/gtest.h>

namespace plat::win::testing {

ScopedClass::ScopedClass(std::string name, WNDPROC proc, HMODULE instance) : name_(std::move(name)) {
    EXPECT_TRUE(RegisterClass({.lpfnWndProc = proc, .hInstance = instance, .lpszClassName = name_})) << name_;
}

ScopedClass::~ScopedClass() {
    EXPECT_TRUE(UnregisterClass(name_)) << name_;
}

} // namespace plat::win::testing
