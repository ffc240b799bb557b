#include "core/src/framework/TCoreModule.h"

#include "platform/win/Library.h"

#include <cstring>

namespace {

// An object inside the library: its address names the library module, as a module handle does.
char libraryAnchor;

} // namespace

TCoreModule::TCoreModule(TCoreObject* owner) : TCoreObject(owner) {}

void TCoreModule::Init(plat::win::HMODULE moduleHandle) {
    moduleHandle_ = moduleHandle;
    fileName_ = plat::win::ModuleFileNameOf(moduleHandle);
    folder_ = FolderOf(fileName_);
}

bool TCoreModule::GetFolder(char* buffer, std::size_t size) const {
    if (buffer != nullptr && folder_.size() < size) {
        std::memcpy(buffer, folder_.c_str(), folder_.size() + 1);
    }
    return false;
}

std::string TCoreModule::FolderOf(std::string_view fileName) {
    const std::size_t cut = fileName.find_last_of("/\\");
    if (cut == std::string_view::npos || cut < 1) {
        return std::string(fileName);
    }
    return std::string(fileName.substr(0, cut));
}

plat::win::HMODULE TCoreModule::LibraryHandle() {
    return &libraryAnchor;
}
