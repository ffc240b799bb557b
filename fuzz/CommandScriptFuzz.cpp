// Fuzzes the command script interpreter: the input (UTF-8) is run as a whole script against recording
// stand-ins of the main window, its dialogs, the play list and the profile, and the real player hub with
// its real controllers over a recording core that has built a small graph. Limits are lowered so that
// no input runs long; nesting keeps its real limit, so the stack it needs is checked too.
#include "core/include/VokradNotifications.h"
#include "platform/text/CodePage.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/controllers/TPlayerControllerFactory.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/tests/RecordingCore.h"
#include "player/scripting/TScriptInterpreter.h"
#include "player/scripting/tests/ScriptFakes.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace {

class TSilentMessageBox : public ISystemMessageBox {
public:
    void Show(const char16_t*, const char16_t*, uint32_t) override {}
};

std::vector<uint8_t> TextBlock(std::u16string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    std::vector<uint8_t> block(bytes, bytes + 2 * text.size());
    block.insert(block.end(), {0, 0});
    return block;
}

class TWorld {
public:
    TWorld() {
        core_ = new TRecordingCore;
        CreatePlayerGlobals(std::unique_ptr<TSendToCore>(core_));
        ErrorControl()->SetMessageBox(&box_);
        hub_.CreatePlayer();
        core_->blocks[kOrderFilterList] = TextBlock(
            u"<FILTERSLIST><FILTER><Name>Source</Name><CLSID>{S}</CLSID><PINS>\n<OUTPUT><NAME>src</NAME>"
            u"<CONNECTEDTO><PIN>sink</PIN><FILTERCLSID>{D}</FILTERCLSID></CONNECTEDTO></OUTPUT>\n</PINS></"
            u"FILTER>"
            u"<FILTER><Name>Decoder</Name><CLSID>{D}</CLSID><HasProperties/><PINS>\n<INPUT><NAME>sink</NAME>"
            u"<CONNECTEDTO><PIN>src</PIN><FILTERCLSID>{S}</FILTERCLSID></CONNECTEDTO></INPUT>\n</PINS></"
            u"FILTER>"
            u"</FILTERSLIST>");
        core_->blocks[kOrderGraphLog] = TextBlock(u"<GRAPHLOG>built</GRAPHLOG>");
        TCoreMessageStatus built{};
        built.head = {kCoreMessageHeaderSize, 0, kCoreMessageStatus,
                      static_cast<uint32_t>(sizeof(built) - kCoreMessageHeaderSize)};
        built.status = kStatusGraphBuilt;
        plat::win::COPYDATASTRUCT data{0, sizeof(built), &built};
        hub_.OnCopyData(&data);

        main_.playList = &playList_;
        main_.profile = &profile_;
        services_.MainWindow = &main_;
        services_.SettingsDialog = &settings_;
        services_.PlaylistWindow = &playlistWindow_;
        services_.Hub = &hub_;
        services_.System = &system_;
        services_.Limits.MaxSteps = 20000;
        services_.Limits.MaxTextUnits = 1 << 14;
    }

    void Run(std::u16string_view script) {
        Reset();
        TScriptInterpreter interpreter(services_);
        TScriptValue value;
        TScriptValue output;
        size_t consumed = 0;
        interpreter.RunScript(script, &consumed, value, &output);
        if (consumed > script.size()) {
            __builtin_trap(); // the cursor never leaves the text
        }
        log_.clear();
        core_->TakeOrders();
    }

private:
    // Every input starts from the same state.
    void Reset() {
        playList_.items = {{u"/m/a.avi", u"a.avi", u"A", u"/p/a.zds", 1, 100, 1},
                           {u"/m/b.avi", u"b.avi", u"B", u"", 0, 200, 2}};
        playList_.current = 0;
        profile_.volumes = {{{"Disc", "Me", 1, 1}, {{u"English", "Me", 1}}}};
        profile_.currentVolume = 0;
        profile_.currentLanguage = 0;
        settings_.visible = false;
        main_.directControl = true;
    }

    TSilentMessageBox box_;
    TRecordingCore* core_ = nullptr;
    TPlayerControllerFactory factory_{nullptr};
    TPlayControl hub_{&factory_};
    TCallLog log_;
    TRecordingMainWindow main_{log_};
    TRecordingSettingsDialog settings_{log_};
    TRecordingPlaylistWindow playlistWindow_{log_};
    TFakePlayList playList_{log_};
    TFakeProfile profile_{log_};
    TFixedSystem system_;
    TScriptServices services_;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static TWorld world;
    const std::u16string script =
        plat::text::AnsiToWide(std::string_view(reinterpret_cast<const char*>(data), size));
    world.Run(script);
    return 0;
}
