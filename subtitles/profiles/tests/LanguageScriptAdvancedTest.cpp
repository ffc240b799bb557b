// A language opening its scripts' decoder settings dialogs through the host over the test plug-ins:
// what the script keeps afterwards, and every setting a plug-in hands out going back to it.
#include "platform/win/Library.h"
#include "subtitles/decoders/TPluginDecoderHost.h"
#include "subtitles/profiles/TLanguage.h"
#include "subtitles/profiles/TScriptsPool.h"
#include "subtitles/profiles/tests/ProfileTestSupport.h"
#include "subtitles/scripts/TScriptControl.h"

#include <gtest/gtest.h>

namespace {

// Settings a plug-in has handed out and not got back; loading it again reaches the host's instance.
int32_t LiveBuffers(const char* plugin) {
    const std::string path = std::string(DECODER_TEST_SYSTEM_DIR) + "/" + plugin + ".so";
    plat::win::HMODULE module = plat::win::LoadLibrary(path);
    EXPECT_NE(module, nullptr) << plat::win::LastLibraryError();
    const auto read = reinterpret_cast<int32_t (*)()>(plat::win::GetProcAddress(module, "TestLiveBuffers"));
    const int32_t value = read != nullptr ? read() : -1;
    plat::win::FreeLibrary(module);
    return value;
}

std::string LongSettingCut() {
    std::string cut;
    for (int i = 0; i < 49; ++i) {
        cut += "\xC3\xA9"; // 60 were handed out; the 50th would cross the 99-byte limit
    }
    return cut;
}

class LanguageScriptAdvanced : public ProfileTest {
protected:
    TScriptControl* Load(const char* file, std::string_view content) {
        dir_.Write(file, content);
        TScriptControl* script = language_.LoadScript(nullptr, dir_.WPath(file), {}, "", {}, 0);
        EXPECT_NE(script, nullptr) << file << ": " << language_.LastScriptError;
        return script;
    }

    TScriptsPool pool_;
    TLanguage language_{&pool_};
};

TEST_F(LanguageScriptAdvanced, TheConfirmedSettingIsStoredInTheScriptAndHandedBack) {
    const struct {
        const char* file;
        std::string_view content;
        std::string given;
        bool stored;
        std::string after;
    } cases[] = {
        {"extras.srt", "extras", "25", true, "scr_c_generic setting"}, // the catch-all plug-in
        {"extras.smi", "extras", "", true, "scr_a_sami setting"},
        {"extras.srt", "extras", "keep", true, "keep"}, // confirmed without a new setting
        {"extras.srt", "extras", "cancel", false, "cancel"},
        {"extras.srt", "extras", "long", true, LongSettingCut()},
        {"movie.ssa", kMovieSsa, "25", false, "25"}, // native scripts have no dialog
    };
    for (const auto& c : cases) {
        TScriptControl* script = Load(c.file, c.content);
        ASSERT_NE(script, nullptr);
        script->Advanced = c.given;
        script->AdvancedLength = static_cast<int32_t>(c.given.size());
        EXPECT_EQ(language_.ShowScriptAdvanced(0, script), c.stored) << c.file << " " << c.given;
        EXPECT_EQ(script->Advanced, c.after) << c.file << " " << c.given;
        EXPECT_EQ(script->AdvancedLength, static_cast<int32_t>(c.after.size()));
    }
    for (const char* plugin : {"scr_a_sami", "scr_b_samilate", "scr_c_generic"}) {
        EXPECT_EQ(LiveBuffers(plugin), 0) << plugin;
    }
}

TEST_F(LanguageScriptAdvanced, TheStoredSettingIsWhatTheLanguageProfileWrites) {
    TScriptControl* script = Load("extras.smi", "extras");
    ASSERT_NE(script, nullptr);
    ASSERT_TRUE(language_.ShowScriptAdvanced(0, script));
    TMemoryObject out(1024);
    language_.Write(out, true, dir_.WPath(""));
    const std::string text(out.Data, static_cast<std::size_t>(out.Used));
    EXPECT_NE(text.find("extras.smi,"), std::string::npos) << text;
    EXPECT_NE(text.find(",scr_a_sami setting,"), std::string::npos) << text;
}

TEST_F(LanguageScriptAdvanced, NoScriptOrNoPluginShowsNothing) {
    EXPECT_FALSE(language_.ShowScriptAdvanced(0, nullptr));
    TScriptControl* script = Load("extras.smi", "extras");
    ASSERT_NE(script, nullptr);
    const std::string before = script->Advanced;
    InitScriptControlUnit(std::make_unique<TPluginDecoderHost>(dir_.Path("missing")));
    EXPECT_FALSE(language_.ShowScriptAdvanced(0, script));
    EXPECT_EQ(script->Advanced, before);
}

} // namespace
