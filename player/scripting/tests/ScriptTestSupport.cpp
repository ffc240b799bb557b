#include "player/scripting/tests/ScriptTestSupport.h"

#include "core/include/VokradNotifications.h"
#include "platform/text/CodePage.h"
#include "player/scripting/TScriptInterpreter.h"

#include <cstring>

namespace {

std::string N(int64_t value) {
    return std::to_string(value);
}

// An order as the log shows it: its number, and the values that matter for the orders scripts cause.
std::string DescribeOrder(uint32_t order, const void* record) {
    std::string text = "order " + N(order);
    if (order == kOrderVolume && record != nullptr) {
        TOrderVolume volume;
        std::memcpy(&volume, record, sizeof(volume));
        text += " " + N(volume.volume) + " " + N(volume.set);
    } else if (order == kOrderFilterProperties && record != nullptr) {
        TOrderFilterProperties properties;
        std::memcpy(&properties, record, sizeof(properties));
        text += " " + N(properties.ownerWindow) + " " + N(properties.filterNumber);
    }
    return text;
}

} // namespace

std::string Describe(const TScriptValue& value) {
    switch (value.Type) {
    case TScriptValue::kInt:
        return "i:" + N(value.Int);
    case TScriptValue::kText:
        return "t:" + plat::text::WideToAnsi(value.Text);
    default:
        return "-";
    }
}

TScriptWorld::TScriptWorld() : core(new TRecordingCore), globals(std::unique_ptr<TSendToCore>(core)) {
    main.playList = &playList;
    main.profile = &profile;
    services.MainWindow = &main;
    services.SettingsDialog = &settings;
    services.PlaylistWindow = &playlistWindow;
    services.Hub = &hub;
    services.System = &system;
    services.Version = {"RC1d", 1950, "08.20.2004"};
    hub.CreatePlayer();
    core->during = [this](uint32_t order, void* record) { log.push_back(DescribeOrder(order, record)); };
}

TScriptWorld::~TScriptWorld() {
    core->during = nullptr;
    hub.DestroyPlayer();
}

TScriptOutcome TScriptWorld::Run(std::u16string_view script) {
    log.clear();
    TScriptInterpreter interpreter(services);
    TScriptValue value;
    TScriptValue output;
    TScriptOutcome outcome;
    outcome.result = interpreter.RunScript(script, &outcome.consumed, value, &output);
    outcome.value = Describe(value);
    outcome.output = Describe(output);
    outcome.calls = std::exchange(log, {});
    return outcome;
}

void TScriptWorld::BuildGraph(const std::u16string& filtersList, const std::u16string& graphLog) {
    const auto bytes = [](const std::u16string& text) {
        const auto* data = reinterpret_cast<const uint8_t*>(text.c_str());
        return std::vector<uint8_t>(data, data + 2 * (text.size() + 1));
    };
    core->blocks[kOrderFilterList] = bytes(filtersList);
    core->blocks[kOrderGraphLog] = bytes(graphLog);
    DeliverRecord(hub.Window(), StatusRecord(kStatusGraphBuilt, 0, 0));
    log.clear();
}

void TScriptWorld::BuildSampleGraph() {
    BuildGraph(u"<FILTERSLIST>\n"
               u"<FILTER><Name>File Source</Name><CLSID>{S}</CLSID><PINS>\n"
               u"<OUTPUT><NAME>src</NAME><CONNECTEDTO><PIN>sink</PIN><FILTERCLSID>{D}</FILTERCLSID>"
               u"</CONNECTEDTO></OUTPUT>\n</PINS></FILTER>\n"
               u"<FILTER><Name>Video Decoder</Name><CLSID>{D}</CLSID><HasProperties/><PINS>\n"
               u"<INPUT><NAME>sink</NAME><CONNECTEDTO><PIN>src</PIN><FILTERCLSID>{S}</FILTERCLSID>"
               u"</CONNECTEDTO></INPUT>\n<OUTPUT><NAME>src</NAME></OUTPUT>\n</PINS></FILTER>\n"
               u"<FILTER><Name>Audio Decoder</Name><CLSID>{D}</CLSID><PINS>\n</PINS></FILTER>\n"
               u"</FILTERSLIST>\n",
               u"<GRAPHLOG>built</GRAPHLOG>");
}
