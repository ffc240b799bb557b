// The player's command language on outside input: command texts (as a frame delivers them), whole
// command frames, and the start command line's quoting, which must give back every path exactly.
#include "player/ui/StartCommandLine.h"
#include "player/model/binding/TCommandFrame.h"
#include "player/ui/TCommandLine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Runs nothing; keeps the last opened file to check the quoting.
class Target : public ICommandTarget {
public:
    std::string Opened;

    bool IsClosing() const override { return false; }
    void OpenFile(const std::string& path) override { Opened = path; }
    void EnqueueFile(const std::string&) override {}
    void PlayQueueItem(int32_t) override {}
    void DeletePlaylistItem(int32_t) override {}
    void BringVideoToFront() override {}
    void SetScreenMode(int32_t) override {}
    void LoadSkin(const std::string&) override {}
    void SetSettingsFolder(const std::string&) override {}
    void SetPluginsOff() override {}
    void LoadAspectProfile(const std::string&) override {}
    void RemoteCode(const std::string&) override {}
    void HideInterface() override {}
    void SetSilent(bool) override {}
    void SetEditMode(bool, plat::win::HWND) override {}
    void ResetWindowsPosition() override {}
    int32_t GetTimeCode() override { return 1; }
    bool GetDiscId(uint32_t* high, uint32_t* low) override {
        *high = 2;
        *low = 3;
        return true;
    }
    void CloseProfile() override {}
    void ShowProfileSubtitles(bool) override {}
    void RunCommandWord(const std::string&) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const plat::win::COPYDATASTRUCT copy{0, static_cast<plat::win::DWORD>(size), size ? data : nullptr};
    const TCommandFrame::Content frame = TCommandFrame::Read(&copy);
    Target target;
    if (frame.kind == TCommandFrame::Kind::Text) {
        TCommandLine::Process(frame.text, 0, target);
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    TCommandLine::Process(text, 0, target);

    // Any path without a NUL comes back whole through the start command line.
    if (text.find('\0') == std::string::npos) {
        const std::string path = "/f/" + text;
        Target opened;
        TCommandLine::Process(StartCommandLine::Build({path}, "/"), 0, opened);
        if (opened.Opened != path) {
            std::abort();
        }
    }
    return 0;
}
