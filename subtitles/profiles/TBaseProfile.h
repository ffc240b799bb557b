#pragma once
// The base of profile documents: the profile's zip archive control, its file name and the virtual
// load and save protocol that the profile classes override.
#include "foundation/TCommon.h"
#include "subtitles/zip/TZipControl.h"

#include <memory>
#include <string>
#include <string_view>

class TBaseProfile : public TCommon {
public:
    TBaseProfile();
    // Closes the archive.
    ~TBaseProfile() override;

    // Reads the profile at `path`; the base reads nothing and answers true.
    virtual bool Load(std::u16string_view path, bool loadAll, bool noDefaultSelection);
    // Stores the profile under its file name through SaveAs; false when it has none.
    virtual bool Save();
    // Stores the profile at `path`; the base stores nothing and answers true.
    virtual bool SaveAs(std::u16string_view path);
    // The file name, nullptr until a profile is loaded.
    const std::u16string* GetFileName() const { return FileName.get(); }

protected:
    void SetFileName(std::u16string_view path);

    TZipControl Archive;
    std::unique_ptr<std::u16string> FileName;
};
