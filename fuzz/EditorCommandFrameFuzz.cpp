// Feeds arbitrary bytes to the editor as the data block of a command frame: the frame is checked
// against the bytes delivered, and any text it carries runs through the editor's command parser.
#include "editor/TEditorCommandFrame.h"
#include "editor/TEditorCommandLine.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

class Target : public TEditorCommandLine::ITarget {
public:
    void OpenProfileFromCommand(const std::string& path) override { total_ += path.size(); }
    void SetCaptionFromCommand(const std::u16string& caption) override { total_ += caption.size(); }

private:
    std::size_t total_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly the bytes delivered, so that any read past them is caught.
    const std::vector<uint8_t> block(data, data + size);
    const plat::win::COPYDATASTRUCT copy{0, static_cast<plat::win::DWORD>(size),
                                         block.empty() ? nullptr : block.data()};
    if (const auto text = TEditorCommandFrame::ReadCommandText(&copy)) {
        Target target;
        TEditorCommandLine::Run(*text, target);
    }
    return 0;
}
