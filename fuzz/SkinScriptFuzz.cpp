// Feeds arbitrary bytes to the skin script reader, then loads them as a plain skin script, so that the
// windows and widgets are built from whatever records the bytes make.
#include "player/ui/skin/ISkinActionSink.h"
#include "player/ui/skin/SkinScriptReader.h"
#include "player/ui/skin/TSkinScript.h"

#include <QApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// A main window that knows one command and answers everything else with nothing.
class TQuietSink : public ISkinActionSink {
public:
    int FindActionByCommand(const std::string& command, std::string& argument) override {
        const std::size_t open = command.find('(');
        argument = open == std::string::npos ? std::string() : command.substr(open + 1);
        return command.rfind("Play", 0) == 0 ? 1 : kNoAction;
    }
    void ExecuteAction(int) override {}
    int ModeAction(bool dvdMode) override { return dvdMode ? 1 : 2; }
    void Quit() override {}
    void SetSeekTarget(int64_t) override {}
    void GoToSeekPos() override {}
    void ShowGoToTime(QPoint) override {}
    bool MouseWheel(bool, Qt::KeyboardModifiers, QPoint) override { return false; }
    void FormToggleClick(QObject*) override {}
    void FormSwitchClick(QObject*) override {}
    QMenu* PlayMenu() override { return nullptr; }
    void ReportError(const std::u16string&) override {}
    void LoadFormPosition(QWidget&) override {}
    void SaveFormPosition(const QWidget&) override {}
    QRect VideoWindowRect() override { return QRect(0, 0, 640, 480); }
};

struct TFuzzHost {
    TFuzzHost()
        : path((std::filesystem::temp_directory_path() / ("skinfuzz-" + std::to_string(::getpid())))
                   .string()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QApplication>(argc, argv);
        skin = std::make_unique<TSkinScript>(sink);
    }

    int argc = 1;
    char name[16] = "fuzz_skin";
    char* argv[2] = {name, nullptr};
    std::string path;
    std::unique_ptr<QApplication> application;
    TQuietSink sink;
    std::unique_ptr<TSkinScript> skin;
};

// Kept for the whole run and never destroyed: Qt's own globals go first at exit, and windows
// destroyed after them would reach freed state.
TFuzzHost& Host() {
    static TFuzzHost* host = new TFuzzHost();
    return *host;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    SkinScriptReader reader;
    std::vector<SkinObjectRecord> records;
    std::string error;
    reader.Read(script, records, error);

    TFuzzHost& host = Host();
    std::ofstream(host.path, std::ios::binary | std::ios::trunc) << script;
    const bool loaded = host.skin->Load(host.path, "");
    std::filesystem::remove(host.path);
    if (loaded) {
        host.skin->SetDuration(static_cast<int64_t>(size) * 1000);
        host.skin->SetPosition(static_cast<int64_t>(size) * 700);
        host.skin->SetTime(static_cast<int64_t>(size) * 700);
        host.skin->ArrangeForms(TSkinScript::Arrange::Show);
        host.skin->SwitchScreenMode(size % 2 == 0);
        for (TSkinForm* form = host.skin->FirstForm(); form != nullptr; form = host.skin->NextForm()) {
            // Painting is tried on windows of modest size; a large one costs time, not coverage.
            if (int64_t{form->width()} * form->height() <= (1 << 18)) {
                form->grab();
            }
        }
    }
    return 0;
}
