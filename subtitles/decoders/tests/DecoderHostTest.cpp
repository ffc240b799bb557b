// The decoder host over real plug-in libraries built for the tests: which are kept, Init, the order
// of selection, the catch-all, buffers going back to their allocator, and failed or empty decodes
// reported by the script reader.
#include "subtitles/decoders/TPluginDecoderHost.h"

#include "platform/win/Library.h"
#include "subtitles/scripts/TScriptControl.h"

#include <gtest/gtest.h>

namespace {

const std::string kSystem = DECODER_TEST_SYSTEM_DIR;

// Calls a counter of a plug-in; loading it again reaches the instance the host holds.
int32_t PluginCounter(const char* plugin, const char* counter) {
    plat::win::HMODULE module = plat::win::LoadLibrary(kSystem + "/" + plugin + ".so");
    EXPECT_NE(module, nullptr) << plat::win::LastLibraryError();
    const auto read = reinterpret_cast<int32_t (*)()>(plat::win::GetProcAddress(module, counter));
    const int32_t value = read != nullptr ? read() : -1;
    plat::win::FreeLibrary(module);
    return value;
}

class DecoderHost : public ::testing::Test {
protected:
    TPluginDecoderHost host{kSystem};

    std::string Decoded(std::u16string_view selector, std::string_view data, std::string& advanced) {
        std::string text;
        return host.Decode(data, selector, "", advanced, text) ? text : std::string("(refused)");
    }
};

TEST_F(DecoderHost, KeepsPluginsWithTheRequiredExportsAndInitialisesThemOnce) {
    EXPECT_EQ(host.Loader().Count(), 3); // scr_d_noshow lacks ShowAdvanced
    TPluginDecoderHost second{kSystem};
    EXPECT_EQ(PluginCounter("scr_a_sami", "TestInitCalls"), 2); // once per host that loaded it
    EXPECT_EQ(PluginCounter("scr_b_samilate", "TestInitCalls"), 0);
    EXPECT_EQ(PluginCounter("scr_c_generic", "TestInitCalls"), 2);
}

TEST_F(DecoderHost, FirstCompatiblePluginInLoadOrderDecodesElseTheCatchAll) {
    const struct {
        std::u16string_view selector;
        const char* decoder;
    } cases[] = {{u".SMI", "scr_a_sami"},    {u".smi", "scr_a_sami"},    {u"SAMI", "scr_a_sami"},
                 {u".RT", "scr_b_samilate"}, {u".srt", "scr_c_generic"}, {u"SRT", "scr_c_generic"},
                 {u".JS", "scr_c_generic"},  {u".txt", "scr_c_generic"}, {u"", "scr_c_generic"}};
    for (const auto& c : cases) {
        std::string advanced;
        EXPECT_NE(Decoded(c.selector, "hello", advanced).find(std::string(c.decoder) + ": hello"),
                  std::string::npos)
            << c.decoder;
    }
}

TEST_F(DecoderHost, AdvancedSettingGoesInAndTheNewOneComesBack) {
    std::string advanced = "23.976";
    Decoded(u".SMI", "hello", advanced);
    EXPECT_EQ(advanced, "scr_a_sami<23.976>");
    advanced = "kept";
    Decoded(u".SMI", "keep", advanced);
    EXPECT_EQ(advanced, "kept");
}

TEST_F(DecoderHost, EveryBufferGoesBackToThePluginThatAllocatedIt) {
    std::string advanced = "x";
    for (const std::u16string_view selector : {u".SMI", u".RT", u".srt"}) {
        for (const std::string_view data : {"hello", "keep", "nothing", "fail"}) {
            Decoded(selector, data, advanced);
        }
    }
    char* setting = nullptr;
    int32_t length = 0;
    ASSERT_TRUE(host.Loader().SelectCompatible(u".RT", nullptr, 0));
    ASSERT_EQ(host.Loader().ShowAdvanced(0, &setting, &length), 1);
    EXPECT_EQ(std::string(setting, static_cast<std::size_t>(length)), "scr_b_samilate setting");
    EXPECT_EQ(PluginCounter("scr_b_samilate", "TestLiveBuffers"), 1);
    host.Loader().FreeBuffer(nullptr, &setting);
    for (const char* plugin : {"scr_a_sami", "scr_b_samilate", "scr_c_generic"}) {
        EXPECT_EQ(PluginCounter(plugin, "TestLiveBuffers"), 0) << plugin;
    }
}

TEST_F(DecoderHost, FailedOrEmptyDecodesAreRefused) {
    std::string advanced;
    EXPECT_EQ(Decoded(u".SMI", "fail", advanced), "(refused)");
    EXPECT_EQ(Decoded(u".srt", "nothing", advanced), "(refused)");
    EXPECT_EQ(Decoded(u".srt", "", advanced), "(refused)");
}

TEST(DecoderHostWithoutPlugins, DecodesNothingAndCallsNothing) {
    TPluginDecoderHost host{kSystem + "/missing"};
    std::string advanced;
    std::string text;
    EXPECT_EQ(host.Loader().Count(), 0);
    EXPECT_FALSE(host.Decode("hello", u".srt", "", advanced, text));
    EXPECT_EQ(host.Loader().Decode("x", 1, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(host.Loader().ShowAdvanced(0, nullptr, nullptr), 0);
}

// The script reader over the host: a decoded script loads, one that holds no events is reported.
TEST(DecoderHostScripts, DecodedScriptsLoadAndEmptyOnesAreReported) {
    InitScriptControlUnit(std::make_unique<TPluginDecoderHost>(kSystem));
    TScriptControl script;
    ASSERT_TRUE(script.DecodeAndParse("hello", -1, u".srt")) << script.LoadError;
    EXPECT_EQ(script.Events.Count, 1);
    EXPECT_EQ(script.Advanced, "scr_c_generic<>");

    for (const std::string_view data : {"", "nothing", "noevents", "fail"}) {
        EXPECT_FALSE(script.DecodeAndParse(data, -1, u".srt")) << data;
        EXPECT_FALSE(script.LoadError.empty()) << data;
        EXPECT_EQ(script.Events.Count, 1) << "the loaded script stays as it was";
    }
    InitScriptControlUnit(nullptr);
}

// The text a plug-in kept from the last IsCompatible call.
std::string PluginLastExtra(const char* plugin) {
    plat::win::HMODULE module = plat::win::LoadLibrary(kSystem + "/" + plugin + ".so");
    const auto read = reinterpret_cast<const char* (*)()>(plat::win::GetProcAddress(module, "TestLastExtra"));
    const std::string extra = read != nullptr ? read() : "(none)";
    plat::win::FreeLibrary(module);
    return extra;
}

// What a script's ShowAdvanced answered, the setting it handed out, and FreeAdvanced's answer.
struct TShownSetting {
    int32_t Result;
    std::string Setting;
    int32_t Freed;
};

TShownSetting ShowScriptSetting(const TScriptControl& script, std::string given) {
    char* advanced = given.data();
    int32_t length = static_cast<int32_t>(given.size());
    const int32_t result = script.ShowAdvanced(0, &advanced, &length);
    const std::string setting(advanced != nullptr ? advanced : "", advanced != nullptr ? length : 0);
    return {result, setting, script.FreeAdvanced(&advanced)};
}

TEST(DecoderHostScripts, TheDialogOfThePluginForTheFileNameIsShownAndItsSettingFreedThere) {
    InitScriptControlUnit(std::make_unique<TPluginDecoderHost>(kSystem));
    const struct {
        const char16_t* fileName;
        const char* given;
        int32_t result;
        const char* setting;
        int32_t freed; // 1 when the setting went back to the plug-in
    } cases[] = {
        {u"movie.smi", "23.976", 1, "scr_a_sami setting", 1},
        {u"folder.x/movie.RT", "", 1, "scr_b_samilate setting", 1},
        {u"movie.srt", "25", 1, "scr_c_generic setting", 1}, // the catch-all
        {u"movie", "25", 0, "25", 0},                        // no extension counts as native
        {u"movie.smi", "keep", 1, "keep", 0}, // the caller's own string is never freed by a plug-in
        {u"movie.ssa", "25", 0, "25", 0},     // native scripts have no dialog
        {u"movie.ASS", "25", 0, "25", 0},
    };
    for (const auto& c : cases) {
        TScriptControl script;
        script.FileName = c.fileName;
        const TShownSetting shown = ShowScriptSetting(script, c.given);
        EXPECT_EQ(shown.Result, c.result) << c.given;
        EXPECT_EQ(shown.Setting, c.setting);
        EXPECT_EQ(shown.Freed, c.freed);
    }
    for (const char* plugin : {"scr_a_sami", "scr_b_samilate", "scr_c_generic"}) {
        EXPECT_EQ(PluginCounter(plugin, "TestLiveBuffers"), 0) << plugin;
    }
    InitScriptControlUnit(nullptr);
}

TEST(DecoderHostScripts, ThePluginIsChosenWithTheScriptsSettingAsExtraText) {
    InitScriptControlUnit(std::make_unique<TPluginDecoderHost>(kSystem));
    TScriptControl script;
    script.FileName = u"movie.smi";
    ShowScriptSetting(script, "ENCC");
    EXPECT_EQ(PluginLastExtra("scr_a_sami"), "ENCC");
    InitScriptControlUnit(nullptr);
}

TEST(DecoderHostScripts, ASettingGoesBackToItsPluginWhateverWasChosenSince) {
    auto owned = std::make_unique<TPluginDecoderHost>(kSystem);
    TPluginDecoderHost* host = owned.get();
    InitScriptControlUnit(std::move(owned));
    TScriptControl sami;
    sami.FileName = u"movie.smi";
    char* advanced = nullptr;
    int32_t length = 0;
    ASSERT_EQ(sami.ShowAdvanced(0, &advanced, &length), 1);
    std::string text;
    std::string setting;
    ASSERT_TRUE(host->Decode("hello", u".RT", "", setting, text)); // another plug-in is current now
    EXPECT_EQ(PluginCounter("scr_a_sami", "TestLiveBuffers"), 1);
    EXPECT_EQ(sami.FreeAdvanced(&advanced), 1);
    EXPECT_EQ(advanced, nullptr);
    EXPECT_EQ(PluginCounter("scr_a_sami", "TestLiveBuffers"), 0);
    EXPECT_EQ(sami.FreeAdvanced(&advanced), 0); // nothing left to free
    InitScriptControlUnit(nullptr);
}

TEST(DecoderHostScripts, WithoutAHostOrAPluginNoDialogIsShown) {
    TScriptControl script;
    script.FileName = u"movie.smi";
    EXPECT_EQ(ShowScriptSetting(script, "x").Result, 0);
    InitScriptControlUnit(std::make_unique<TPluginDecoderHost>(kSystem + "/missing"));
    EXPECT_EQ(ShowScriptSetting(script, "x").Result, 0);
    InitScriptControlUnit(nullptr);
}

} // namespace
