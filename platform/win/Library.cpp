#include "platform/win/Library.h"

#include "platform/text/Path.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <filesystem>

namespace plat::win {

namespace {

thread_local std::string lastError;

void* Fail(std::string why) {
    lastError = std::move(why);
    return nullptr;
}

std::string DlError() {
    const char* error = dlerror();
    return error != nullptr ? error : "unknown dynamic loader error";
}

std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && text::path::IsSeparator(folder.back())) {
        folder.pop_back();
    }
    return folder;
}

} // namespace

std::string ProgramFile() {
    std::error_code error;
    const auto file = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : file.string();
}

std::string ProgramFolder() {
    if (const char* folder = std::getenv("TOVRIN_PROGRAM_FOLDER"); folder != nullptr && *folder != 0) {
        return WithoutTrailingSeparators(folder);
    }
    return text::path::Folder(ProgramFile());
}

HMODULE LoadLibrary(std::string_view path) {
    if (path.empty()) {
        return Fail("empty library path");
    }
    std::string file(path);
    if (!text::path::IsAbsolute(path)) {
        const std::string folder = ProgramFolder();
        // An empty folder would make the lookup start in the current directory.
        const auto found = folder.empty() ? std::nullopt : text::path::FindNoCase(folder, path);
        if (!found) {
            return Fail("no library " + file + " in the program folder '" + folder + "'");
        }
        file = *found;
    }
    void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    return module != nullptr ? module : Fail(DlError());
}

void* GetProcAddress(HMODULE module, const char* name) {
    if (module == nullptr || name == nullptr) {
        return Fail("no module or no name");
    }
    dlerror();
    void* address = dlsym(module, name);
    return address != nullptr ? address : Fail(DlError());
}

bool FreeLibrary(HMODULE module) {
    if (module != nullptr && dlclose(module) == 0) {
        return true;
    }
    lastError = module == nullptr ? "no module" : DlError();
    return false;
}

std::string LastLibraryError() {
    return lastError;
}

std::string ModuleFileNameOf(const void* address) {
    Dl_info info{};
    link_map* map = nullptr;
    if (address == nullptr || dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 ||
        map == nullptr) {
        return {};
    }
    // The program itself has no name in the loader's list.
    return map->l_name[0] != 0 ? std::string(map->l_name) : ProgramFile();
}

} // namespace plat::win
