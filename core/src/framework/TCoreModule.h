#pragma once
// The record of the core's library module: its handle, file name and folder.
#include "core/src/framework/TCoreObject.h"
#include "platform/win/Types.h"

#include <cstddef>
#include <string>
#include <string_view>

class TCoreModule : public TCoreObject {
public:
    explicit TCoreModule(TCoreObject* owner);

    // Takes the file name of the module and derives its folder.
    void Init(plat::win::HMODULE moduleHandle);

    plat::win::HMODULE ModuleHandle() const { return moduleHandle_; }
    const std::string& FileName() const { return fileName_; }
    const std::string& Folder() const { return folder_; }

    // Copies the folder with its terminator when it is shorter than `size` characters and leaves the
    // buffer untouched otherwise. Answers false in every case: callers read the buffer.
    bool GetFolder(char* buffer, std::size_t size) const;

    // The file name cut at its last separator ('/' or '\\') found after the first character; the
    // whole name when there is none.
    static std::string FolderOf(std::string_view fileName);

    // The library's own module handle; every module record holds this one.
    static plat::win::HMODULE LibraryHandle();

private:
    plat::win::HMODULE moduleHandle_ = nullptr;
    std::string fileName_;
    std::string folder_;
};
