// A generated corpus of SubRip (also as hand-edited files look: mixed line ends, missing blank lines,
// font tags), MicroDVD and SubViewer 2 files in several encodings and line-end forms, decoded through
// the host and the installed plug-in, against ffmpeg's conversion of the same files to ASS: the same
// number of events, start and end within 10 ms, the same text once override tags and markup are
// removed.
#include "AssEvents.h"
#include "SubtitleCorpus.h"

#include "subtitles/decoders/TPluginDecoderHost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using corpus::Alphabet;
using corpus::Encoding;

enum class Format { SubRip, RoughSubRip, MicroDvd, SubViewer2 };

struct CorpusFile {
    const char* name;
    Format format;
    Alphabet alphabet;
    Encoding encoding;
    const char* lineEnd;
    bool variant;        // SubRip: a blank line at the end; MicroDVD: the rate entry first
    double rate;         // MicroDVD frame rate
    const char* setting; // advanced setting handed to the decoder
};

// ffmpeg reads MicroDVD files without a rate entry at 23.976 frames per second; such a file is
// decoded with that rate as its setting, as a user would set it.
const CorpusFile kCorpus[] = {
    {"ascii-crlf.srt", Format::SubRip, Alphabet::Ascii, Encoding::Utf8, "\r\n", true, 0, ""},
    {"latin-lf-bom-noblank.srt", Format::SubRip, Alphabet::Latin, Encoding::Utf8Bom, "\n", false, 0, ""},
    {"latin-utf16le.srt", Format::SubRip, Alphabet::Latin, Encoding::Utf16LeBom, "\r\n", true, 0, ""},
    {"cyrillic-utf16le-lf.srt", Format::SubRip, Alphabet::Cyrillic, Encoding::Utf16LeBom, "\n", false, 0, ""},
    {"cyrillic-utf16be-lf.srt", Format::SubRip, Alphabet::Cyrillic, Encoding::Utf16BeBom, "\n", true, 0, ""},
    {"cyrillic-1251.srt", Format::SubRip, Alphabet::Cyrillic, Encoding::Cp1251, "\r\n", false, 0, ""},
    {"latin-1252-lf.srt", Format::SubRip, Alphabet::Latin, Encoding::Cp1252, "\n", true, 0, ""},
    {"rough-fonts-mixed-ends.srt", Format::RoughSubRip, Alphabet::Latin, Encoding::Utf8, "", false, 0, ""},
    {"rough-cyrillic-1251.srt", Format::RoughSubRip, Alphabet::Cyrillic, Encoding::Cp1251, "", false, 0, ""},
    {"microdvd-23976.sub", Format::MicroDvd, Alphabet::Ascii, Encoding::Utf8, "\r\n", true, 23.976, ""},
    {"microdvd-25-lf-bom.sub", Format::MicroDvd, Alphabet::Latin, Encoding::Utf8Bom, "\n", true, 25, ""},
    {"microdvd-norate.sub", Format::MicroDvd, Alphabet::Ascii, Encoding::Utf8, "\r\n", false, 23.976,
     "23.976"},
    {"microdvd-1251.sub", Format::MicroDvd, Alphabet::Cyrillic, Encoding::Cp1251, "\r\n", true, 25, ""},
    {"subviewer-crlf.sub", Format::SubViewer2, Alphabet::Ascii, Encoding::Utf8, "\r\n", false, 0, ""},
    {"subviewer-latin-lf.sub", Format::SubViewer2, Alphabet::Latin, Encoding::Utf8, "\n", false, 0, ""},
};

std::string Text(const CorpusFile& file, uint32_t seed) {
    const auto cues = corpus::Cues(200, seed, file.alphabet, true);
    switch (file.format) {
    case Format::SubRip:
        return corpus::SubRip(cues, file.lineEnd, file.variant);
    case Format::RoughSubRip:
        return corpus::RoughSubRip(cues);
    case Format::MicroDvd:
        return corpus::MicroDvd(cues, file.rate, file.variant, file.lineEnd);
    case Format::SubViewer2:
        break;
    }
    return corpus::SubViewer2(cues, file.lineEnd);
}

// ffmpeg (5.1) misreads UTF-16BE text beyond ASCII, and UTF-16 text of either order whose lines end
// with LF alone ("Invalid UTF-8"), dropping those events; it is given the same text in UTF-8.
Encoding PeerEncoding(const CorpusFile& file) {
    const bool utf16 = file.encoding == Encoding::Utf16BeBom || file.encoding == Encoding::Utf16LeBom;
    const bool misread =
        file.encoding == Encoding::Utf16BeBom || (utf16 && std::string(file.lineEnd) == "\n");
    return misread ? Encoding::Utf8 : file.encoding;
}

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

class FfmpegCorpus : public ::testing::Test {
protected:
    void SetUp() override {
        const char* dist = std::getenv("TOVRIN_DIST_DIR");
        const std::string system = dist != nullptr ? std::string(dist) + "/System" : std::string();
        if (!std::filesystem::exists(system + "/scr_tamble.so")) {
            GTEST_SKIP() << "the program folder with scr_tamble.so is not built";
        }
        if (std::system("ffmpeg -version >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "ffmpeg is not installed";
        }
        host = std::make_unique<TPluginDecoderHost>(system);
        folder = std::filesystem::temp_directory_path() / ("tamble-corpus-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        if (!folder.empty()) {
            std::filesystem::remove_all(folder);
        }
    }

    std::vector<ass_events::Event> Ffmpeg(const std::filesystem::path& input, Encoding encoding) {
        const std::filesystem::path output = folder / (input.filename().string() + ".ass");
        const std::string charset = corpus::FfmpegCharset(encoding);
        const std::string command = "ffmpeg -nostdin -loglevel error -y " +
                                    (charset.empty() ? std::string() : "-sub_charenc " + charset + " ") +
                                    "-i '" + input.string() + "' '" + output.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return ass_events::Dialogues(ReadAll(output));
    }

    std::unique_ptr<TPluginDecoderHost> host;
    std::filesystem::path folder;
};

TEST_F(FfmpegCorpus, DecodedEventsAgreeWithFfmpeg) {
    uint32_t seed = 11;
    for (const CorpusFile& file : kCorpus) {
        const std::string text = Text(file, ++seed);
        const std::string bytes = corpus::Encode(text, file.encoding);
        const Encoding peerEncoding = PeerEncoding(file);
        const std::filesystem::path path = folder / file.name;
        std::ofstream(path, std::ios::binary) << corpus::Encode(text, peerEncoding);
        const auto theirs = Ffmpeg(path, peerEncoding);

        std::string advanced = file.setting;
        std::string script;
        ASSERT_TRUE(host->Decode(bytes, std::filesystem::path(file.name).extension().u16string(), "",
                                 advanced, script))
            << file.name;
        const auto ours = ass_events::Dialogues(ass_events::Utf8(script));

        ASSERT_EQ(ours.size(), theirs.size()) << file.name;
        ASSERT_EQ(ours.size(), 200u) << file.name;
        int differing = 0;
        for (std::size_t i = 0; i < ours.size() && differing < 3; ++i) {
            const bool same = std::abs(ours[i].Start - theirs[i].Start) <= 10 &&
                              std::abs(ours[i].End - theirs[i].End) <= 10 &&
                              ass_events::Normalised(ours[i].Text) == ass_events::Normalised(theirs[i].Text);
            if (!same) {
                ++differing;
                ADD_FAILURE() << file.name << " event " << i << ": ours " << ours[i].Start << "-"
                              << ours[i].End << " '" << ours[i].Text << "', ffmpeg " << theirs[i].Start << "-"
                              << theirs[i].End << " '" << theirs[i].Text << "'";
            }
        }
    }
}

} // namespace
