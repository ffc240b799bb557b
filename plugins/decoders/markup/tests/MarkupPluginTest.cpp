// scr_wenna, scr_dossa and scr_quend as the program loads them, through the decoder host: the names
// they answer to, their advanced settings, files they refuse, and a generated corpus decoded next to
// ffmpeg's conversion of the same files to ASS.
#include "AssEvents.h"
#include "MarkupCorpus.h"

#include "foundation/tests/TempDir.h"
#include "platform/text/CodePage.h"
#include "platform/win/Library.h"
#include "plugins/decoders/include/ScrPluginApi.h"
#include "subtitles/decoders/TPluginDecoderHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const std::string kSystem = MARKUP_SYSTEM_DIR;

class MarkupPlugins : public ::testing::Test {
protected:
    static void SetUpTestSuite() { host = new TPluginDecoderHost(kSystem); }
    static void TearDownTestSuite() {
        delete host;
        host = nullptr;
    }

    // The script decoded for the selector, or "(refused)".
    static std::string Decoded(std::u16string_view selector, std::string_view data, std::string& advanced) {
        std::string text;
        return host->Decode(data, selector, "", advanced, text) ? text : std::string("(refused)");
    }

    static TPluginDecoderHost* host;
};

TPluginDecoderHost* MarkupPlugins::host = nullptr;

TEST_F(MarkupPlugins, EachFormatReachesItsDecoder) {
    const struct {
        std::u16string_view selector;
        const char* data;
        const char* line; // an event line the script must hold
    } cases[] = {
        {u".rt", "<time begin=1 end=2/>smil",
         "Dialogue: Marked=0,0:00:01.00,0:00:02.00,Default,,0,0,0,0,smil\n"},
        {u"SMIL", "<time begin=1 end=2/>smil", "0:00:02.00,Default,,0,0,0,0,smil\n"},
        {u"SMIL", "<smil><body><par begin=\"1s\" dur=\"1.5s\"><text>w3c</text></par></body></smil>",
         "Dialogue: Marked=0,0:00:01.00,0:00:02.50,Default,,0,0,0,0,w3c\n"},
        {u".smi", "<SYNC Start=10><P Class=A>sami<SYNC Start=20>",
         "0:00:00.01,0:00:00.02,Default,,0,0,0,0,sami\n"},
        {u".SAMI", "<SYNC Start=10><P Class=A>sami<SYNC Start=20>", ",Default,,0,0,0,0,sami\n"},
        {u".js", "1 2 VTJC jaco", ",Default,,0,0,0,0,{\\a6}jaco\n"},
        {u".jss", "1 2 VTJC jaco", ",Default,,0,0,0,0,{\\a6}jaco\n"},
        {u".js", "#D1\n1 2 D1 jaco", "Style: Style_1, , 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0 ,0, 0, 0\n"},
        {u".js", "#D1\n1 2 D1 jaco", "0:00:02.00,Style_1,,0,0,0,0,jaco\n"},
    };
    for (const auto& c : cases) {
        std::string advanced;
        EXPECT_NE(Decoded(c.selector, c.data, advanced).find(c.line), std::string::npos) << c.data;
    }
}

// One plug-in library loaded on its own, for calling its exports directly.
class TLoadedPlugin {
public:
    explicit TLoadedPlugin(const char* name)
        : FModule(plat::win::LoadLibrary(kSystem + "/" + name + ".so")) {}
    ~TLoadedPlugin() { plat::win::FreeLibrary(FModule); }
    TLoadedPlugin(const TLoadedPlugin&) = delete;
    TLoadedPlugin& operator=(const TLoadedPlugin&) = delete;

    template <class Fn> Fn Export(const char* name) const {
        return reinterpret_cast<Fn>(plat::win::GetProcAddress(FModule, name));
    }

private:
    plat::win::HMODULE FModule;
};

TEST(MarkupPluginExports, AnswerToTheStartsOfTheirNames) {
    const struct {
        const char* plugin;
        const char* type;
        int32_t result;
    } cases[] = {
        {"scr_wenna", "SMIL", 1},   {"scr_wenna", ".rt", 1},   {"scr_wenna", "sm", 1},
        {"scr_wenna", ".RTX", 0},   {"scr_wenna", ".smi", 0},  {"scr_wenna", "", 0},
        {"scr_dossa", ".SMI", 1},   {"scr_dossa", ".sami", 1}, {"scr_dossa", "SAMI", 1},
        {"scr_dossa", ".SAMIX", 0}, {"scr_dossa", ".rt", 0},   {"scr_quend", ".JS", 1},
        {"scr_quend", "js", 1},     {"scr_quend", ".jss", 1},  {"scr_quend", ".JSX", 0},
        {"scr_quend", ".srt", 0},
    };
    for (const auto& c : cases) {
        const TLoadedPlugin plugin(c.plugin);
        const auto isCompatible = plugin.Export<ScrIsCompatibleFn>(scr_exports::kIsCompatible);
        ASSERT_NE(isCompatible, nullptr) << c.plugin;
        EXPECT_EQ(isCompatible(c.type, static_cast<int32_t>(std::strlen(c.type)), nullptr, 0), c.result)
            << c.plugin << " " << c.type;
    }
}

TEST(MarkupPluginExports, SettingsDialogsNeedTheirPointersAndAnApplication) {
    const TLoadedPlugin wenna("scr_wenna");
    char setting[] = "x";
    char* advanced = setting;
    int32_t length = 1;
    EXPECT_EQ(wenna.Export<ScrShowAdvancedFn>(scr_exports::kShowAdvanced)(0, &advanced, &length), 0);
    EXPECT_EQ(advanced, nullptr);
    EXPECT_EQ(length, 0);
    for (const char* name : {"scr_dossa", "scr_quend"}) {
        const TLoadedPlugin plugin(name);
        const auto show = plugin.Export<ScrShowAdvancedFn>(scr_exports::kShowAdvanced);
        advanced = setting;
        EXPECT_EQ(show(0, nullptr, &length), 0) << name;
        EXPECT_EQ(show(0, &advanced, nullptr), 0) << name;
        EXPECT_EQ(show(0, &advanced, &length), 0) << name << ": no application runs here";
        EXPECT_EQ(advanced, setting);
    }
}

TEST_F(MarkupPlugins, AdvancedSettingsGoInAndComeBack) {
    const std::string twoClasses = "<SYNC Start=10><P Class=ENUSCC>en<P Class=FRFRCC>fr<SYNC Start=20>";
    std::string advanced;
    EXPECT_NE(Decoded(u".smi", twoClasses, advanced).find(",en\n"), std::string::npos);
    EXPECT_EQ(advanced, "ENUSCC");
    advanced = "frfrcc";
    EXPECT_NE(Decoded(u".smi", twoClasses, advanced).find(",fr\n"), std::string::npos);
    EXPECT_EQ(advanced, "frfrcc");

    advanced = "";
    EXPECT_NE(Decoded(u".js", "1 2 VP225 x", advanced).find(",0,0,384,0,"), std::string::npos);
    EXPECT_EQ(advanced, "450.00");
    advanced = "900";
    EXPECT_NE(Decoded(u".js", "1 2 VP225 x", advanced).find(",0,0,192,0,"), std::string::npos);
    EXPECT_EQ(advanced, "900.00");

    advanced = "anything";
    Decoded(u".rt", "<time begin=1 end=2/>x", advanced);
    EXPECT_EQ(advanced, "");
}

TEST_F(MarkupPlugins, FilesOfNoSuchFormatAreNotDecoded) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary.push_back(static_cast<char>((i * 131) ^ (i >> 3)));
    }
    for (const std::u16string_view selector : {u".rt", u".smi", u".js"}) {
        for (const std::string& data : {binary, std::string("plain text, no subtitles\n")}) {
            std::string advanced = "kept";
            EXPECT_EQ(Decoded(selector, data, advanced), "(refused)");
            EXPECT_EQ(advanced, "kept");
        }
    }
}

TEST_F(MarkupPlugins, HostileInputEndsWithinBounds) {
    // 100 MB on one line: a tag never closed, then text without markup.
    std::string oneLine = "<SYNC Start=10><P Class=A>" + std::string(100u << 20, 'x');
    std::string advanced;
    const std::string sami = Decoded(u".smi", oneLine, advanced);
    EXPECT_NE(sami.find("0:00:00.01,0:00:04.01,Default,,0,0,0,0," + std::string(2499, 'x') + "\n"),
              std::string::npos);
    oneLine.replace(0, 26, "<time begin=1 end=2/>" + std::string(5, 'y'));
    EXPECT_NE(Decoded(u".rt", oneLine, advanced).find("0:00:02.00"), std::string::npos);
    oneLine.replace(0, 26, "1 2 VB xxxxxxxxxxxxxxxxxxxx");
    EXPECT_NE(Decoded(u".js", oneLine, advanced).find("0:00:02.00"), std::string::npos);
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// ffmpeg's conversion of the file to ASS; empty when ffmpeg wrote nothing.
std::string PeerScript(const std::filesystem::path& input, const TCorpusFile& file) {
    const std::filesystem::path output = input.string() + ".ass";
    const std::string charset = file.Charset != nullptr ? std::string(" -sub_charenc ") + file.Charset : "";
    const std::string command = "ffmpeg -nostdin -v quiet -y" + charset + " -i '" + input.string() + "' '" +
                                output.string() + "' >/dev/null 2>&1";
    std::system(command.c_str());
    return ReadFile(output);
}

std::string Utf8(const std::string& text, int32_t codePage) {
    plat::text::WString wide;
    plat::text::MultiByteToWide(static_cast<uint32_t>(codePage), text, wide);
    return plat::text::WideToAnsi(wide);
}

TEST_F(MarkupPlugins, CorpusAgreesWithFfmpeg) {
    if (std::system("ffmpeg -version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ffmpeg is not installed; the comparison needs it as the peer";
    }
    const TempDir corpus;
    const std::filesystem::path folder = corpus.Path("markup_corpus");
    std::filesystem::create_directories(folder);
    for (const TCorpusFile& file : MarkupCorpus()) {
        SCOPED_TRACE(file.Name);
        const std::filesystem::path input = folder / file.Name;
        WriteFile(input, file.Bytes);
        const std::vector<TAssEvent> peer = ReadAssEvents(PeerScript(input, file));
        ASSERT_FALSE(peer.empty()) << "ffmpeg converted nothing";
        std::string advanced;
        const std::u16string selector = input.extension().u16string();
        const std::vector<TAssEvent> ours =
            ReadAssEvents(Utf8(Decoded(selector, file.Bytes, advanced), file.CodePage));
        ASSERT_EQ(ours.size(), peer.size());
        for (std::size_t i = 0; i < ours.size(); ++i) {
            EXPECT_NEAR(ours[i].Start, peer[i].Start, 10) << "event " << i;
            if (!(file.OpenLast && i + 1 == ours.size())) {
                EXPECT_NEAR(ours[i].End, peer[i].End, 10) << "event " << i;
            }
            if (file.PeerJoinsClasses) {
                EXPECT_EQ(peer[i].Text.substr(0, ours[i].Text.size()), ours[i].Text) << "event " << i;
            } else {
                EXPECT_EQ(ours[i].Text, peer[i].Text) << "event " << i;
            }
        }
    }
}

} // namespace
