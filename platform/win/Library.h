#pragma once
// The program folder and run-time libraries. Relative library paths are resolved against the
// program folder (never the current directory), accepting both separators and matching names
// without regard to case.
#include "platform/win/Types.h"

#include <string>
#include <string_view>

namespace plat::win {

// The running program's file (/proc/self/exe) and its folder, without a trailing separator.
// TOVRIN_PROGRAM_FOLDER overrides the folder for test hosts that stand in for the programs.
std::string ProgramFile();
std::string ProgramFolder();

// Loads a library: an absolute path as given, a relative one below the program folder. Answers
// nullptr on failure (LastLibraryError() tells why).
HMODULE LoadLibrary(std::string_view path);
void* GetProcAddress(HMODULE module, const char* name);
bool FreeLibrary(HMODULE module);
std::string LastLibraryError();

// The file of the library (or program) that contains the given address; empty when unknown.
std::string ModuleFileNameOf(const void* address);

} // namespace plat::win
