// Feeds arbitrary bytes to the editor's profile load path: the bytes are a ".zds" file that the
// editor's document actions open; whatever loads is shown as the grid's rows (sorted, numbered,
// bookmarks found), and a failed load must leave a new profile.
#include "editor/IEditorDialogs.h"
#include "editor/TEventRows.h"
#include "editor/TProfileDocument.h"
#include "editor/TShared.h"
#include "subtitles/profiles/TDVDProfile.h"
#include "subtitles/scripts/TScriptControl.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

class NoDialogs : public IEditorDialogs {
public:
    int Ask(std::u16string_view, std::u16string_view, std::u16string_view) override { return kYes; }
    std::u16string OpenFileName(std::u16string_view, const std::string&) override { return {}; }
    std::u16string SaveFileName(std::u16string_view, const std::string&) override { return {}; }
};

// Shows the cursor's events as the grid would.
class RowsView : public IEventsListingView {
public:
    void SetCursor(const TProfileCursor* cursor) override {
        if (cursor != nullptr && cursor->Script) {
            rows_.Rebuild(cursor->Script.Get()->Events, nullptr, cursor->Select.Get(), {});
            for (int32_t row = 0; row < rows_.Count(); ++row) {
                rows_.BookmarkBefore(row);
            }
        }
    }
    bool UpdateEditors(bool, bool) override { return false; }
    void RepaintGrid() override {}
    void EnableFilters() override {}
    void SetCurrentEventTimes(int32_t, int32_t, bool) override {}
    void SuspendDrawing() override {}
    void ResumeDrawing() override {}

private:
    TEventRows rows_;
};

std::string Path() {
    static const std::string path = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "zdsfuzz-XXXXXX").string();
        return std::string(::mkdtemp(pattern.data())) + "/p.zds";
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ofstream(Path(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    TDVDProfile profile;
    TShared shared;
    RowsView rows;
    NoDialogs dialogs;
    shared.SetDocument(&profile);
    shared.SetViews({nullptr, &rows, nullptr, nullptr});
    TProfileDocument document(shared, dialogs);
    if (!document.LoadProfileFile(Path()) && profile.Volumes.Count != 1) {
        std::abort();
    }
    return 0;
}
