// Feeds arbitrary bytes to the key map reader over the player's full command table: whatever it
// reads must write out and read back to the same file.
#include "platform/text/CodePage.h"
#include "player/scripting/actions/PlayerActionVocabulary.h"
#include "player/scripting/actions/TActionControler.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

std::string FuzzFile(const char* name) {
    return "/dev/shm/fuzz_keys_cfg_" + std::to_string(getpid()) + name;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::unique_ptr<QGuiApplication> application = std::make_unique<QGuiApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string input = FuzzFile("_input.cfg");
    static QObject owner;
    static const QList<QAction*> actions = CreatePlayerActions(&owner);
    std::ofstream(input, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    TActionControler controler;
    controler.BuildFromActionList(actions);
    controler.LoadFromFile(input);
    controler.ApplyShortcuts();
    const std::string text = controler.KeyMapText();
    TActionControler reread;
    reread.BuildFromActionList(actions);
    if (reread.LoadFromText(plat::text::AnsiToWide(text)) != 0 || reread.KeyMapText() != text) {
        std::abort();
    }
    for (int32_t i = 0; i < controler.Count(); ++i) {
        const TActionCommand* command = controler.GetItem(i);
        if (command->RemoteCode.size() > TActionCommand::kMaxRemoteCode ||
            (!command->RemoteCode.empty() &&
             controler.FindActionByRemoteCode(command->RemoteCode) == nullptr)) {
            std::abort();
        }
    }
    return 0;
}
