// Graph description files written from and read back into the graph pages of the settings dialog.
#include "foundation/tests/TempDir.h"
#include "platform/text/CodePage.h"
#include "player/model/settings/TConfigControl.h"
#include "player/model/settings/TGraphControls.h"
#include "player/model/tests/settings/FakeConfigForm.h"
#include "player/model/tests/settings/SettingsRecordsTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr const char16_t* kFilters = u"<FILTERENUM>\n"
                                     u"  <AudioRenderer>\n"
                                     u"    <FILTER><NAME>Pulse</NAME><CLSID>{R1}</CLSID></FILTER>\n"
                                     u"    <FILTER><NAME>ALSA</NAME><CLSID>{R2}</CLSID></FILTER>\n"
                                     u"  </AudioRenderer>\n"
                                     u"  <DVDVideoFilters>\n"
                                     u"    <FILTER><NAME>MPEG-2 A</NAME><CLSID>{V1}</CLSID></FILTER>\n"
                                     u"    <FILTER><NAME>MPEG-2 B</NAME><CLSID>{V2}</CLSID></FILTER>\n"
                                     u"  </DVDVideoFilters>\n"
                                     u"  <DVDAudioFilters>\n"
                                     u"    <FILTER><NAME>AC-3</NAME><CLSID>{A1}</CLSID></FILTER>\n"
                                     u"  </DVDAudioFilters>\n"
                                     u"</FILTERENUM>\n";

std::string Utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

class GraphFileTest : public SettingsRecordsTest {
protected:
    GraphFileTest() {
        config_.SetRootFolder(dir_.Path("Program"));
        for (const std::string& folder : {config_.MediaFiltersFolder(), config_.DVDFiltersFolder()}) {
            fs::create_directories(folder);
        }
        EXPECT_TRUE(config_.FillFromFilterEnum(kFilters));
    }

    void WriteFilterFile(const std::string& folder, const std::string& name, const std::string& bytes) {
        std::ofstream(folder + name, std::ios::binary) << bytes;
    }

    // A form whose filter grid of the kind lists the files with these numbers.
    std::unique_ptr<FakeConfigForm> Form(std::int32_t kind, const TNamedList& rows) {
        auto form = FakeConfigForm::WithEveryControl();
        form->Grid("Ch_" + std::string(TGraphControls::Word(kind)) + "_FiltersList").rows = rows;
        return form;
    }

    std::string WriteAndRead(FakeConfigForm& form, std::int32_t kind, bool banner = false) {
        const std::string path = dir_.Path("graph.defexgr");
        EXPECT_TRUE(config_.WriteGraphFile(&form, path.c_str(), banner, kind));
        return TempDir::Read(path);
    }

    TempDir dir_;
    TConfigControl config_;
};

TEST_F(GraphFileTest, AMediaGraphIsWrittenByteForByte) {
    WriteFilterFile(config_.MediaFiltersFolder(), "SHARPEN.DShowFilter",
                    "<FILTER ID=\"s\" text=\"%d %s %n\"/>");
    WriteFilterFile(
        config_.MediaFiltersFolder(), "NoDivx.dshowfilter",
        "<FILTER ID=\"divx\" CLSID=\"{78766964-0000-0010-8000-00AA00389B71}\" "
        "DisplayName=\"@device:sw:x\"/>\n<FILTER ID=\"\" CLSID=\"{EMPTY-ID}\"/>\n<OTHER ID=\"o\"/>\n"
        "<filter id=\"a&amp;b\" category=\"{CAT}\" clsid=\"\"/>");
    WriteFilterFile(config_.MediaFiltersFolder(), "Data.filterdata", "never read");
    auto form = Form(TGraphControls::kMedia, {{u"Sharpen", 1 | 0x100},
                                              {u"NoDivx", 1 | 0x200},
                                              {u"Unused", 2},
                                              {u"Data", 3 | 0x300},
                                              {u"Missing", 2 | 0x100}});
    form->Box("Ch_Media_UseVMR9").checked = true;
    form->Box("Ch_Media_UseOverlayMixer").checked = true; // VMR-9 wins
    form->Box("Ch_Media_UseAutoAudioRenderer").checked = true;
    form->Choice("Cb_Media_AudioRenderer").index = 1; // not used: the renderer is automatic

    const std::string expected =
        "<GRAPH version=\"1.0\">\r\n"
        "<!########################################################/>\r\n"
        "<!### PLEASE DON'T EDIT THIS FILE DIRECTLY !!!         ###/>\r\n"
        "<!### IT'S AUTOMATICALY CREATED BY TOVRIN              ###/>\r\n"
        "<!########################################################/>\r\n"
        "\r\n"
        "   <FILTER ID=\"File_Source_0\" clsid=\"{E436EBB5-524F-11CE-9F53-0020AF0BA770}\">\r\n"
        "       <PARAM name=\"src\" value=\"##TOVVAR:FileName##\"/>\r\n"
        "   </FILTER>\r\n"
        "   <FILTER ID=\"VideoMixer\" clsid=\"{51B4ABF3-748F-4E3B-A276-C828330E926A}\"/>\r\n"
        "\r\n"
        "<PATCH Filename=\"Sharpen.dshowfilter\"/>\r\n"
        "<FILTER ID=\"s\" text=\"%d %s %n\"/>\r\n"
        "<PATCH Filename=\"Missing.dshowpatch\"/>\r\n"
        "\r\n"
        "    <FORBID Filename=\"NoDivx.dshowfilter\"/>\r\n"
        "    <FORBIDFILTER ID=\"divx\"   CLSID=\"{78766964-0000-0010-8000-00AA00389B71}\"   "
        "DISPLAYNAME=\"@device:sw:x\"   CATEGORY=\"{083863F1-70DE-11D0-BD40-00A0C911CE86}\"  />\r\n"
        "    <FORBIDFILTER ID=\"a&amp;b\"   CATEGORY=\"{CAT}\"  />\r\n"
        "\r\n"
        "\r\n"
        "   <RENDER ID=\"File_Source_0\" Pin=\"All\" />\r\n"
        "</GRAPH>\r\n" +
        std::string(4, '\0');
    EXPECT_EQ(WriteAndRead(*form, TGraphControls::kMedia, true), expected);

    // Read back into a fresh page: the same choices and grid bits.
    auto fresh =
        Form(TGraphControls::kMedia, {{u"Sharpen", 1}, {u"NoDivx", 1 | 0x100}, {u"Unused", 2 | 0x200}});
    fresh->Box("Ch_Media_UseAutoMixer").checked = true;
    fresh->Box("Ch_Media_AddToRot").checked = true;
    config_.ReadGraphFile(fresh.get(), dir_.Path("graph.defexgr").c_str(), false, TGraphControls::kMedia);
    EXPECT_TRUE(fresh->Box("Ch_Media_UseVMR9").checked);
    EXPECT_FALSE(fresh->Box("Ch_Media_UseOverlayMixer").checked);
    EXPECT_FALSE(fresh->Box("Ch_Media_UseAutoMixer").checked);
    EXPECT_TRUE(fresh->Box("Ch_Media_UseAutoAudioRenderer").checked);
    EXPECT_FALSE(fresh->Box("Ch_Media_AddToRot").checked);
    EXPECT_EQ(fresh->Choice("Cb_Media_AudioRenderer").items, (TNamedList{{u"Pulse", 0}, {u"ALSA", 0}}));
    EXPECT_EQ(fresh->Choice("Cb_Media_AudioRenderer").index, 0);
    EXPECT_EQ(fresh->Grid("Ch_Media_FiltersList").rows,
              (TNamedList{{u"Sharpen", 1 | 0x100}, {u"NoDivx", 1 | 0x200}, {u"Unused", 2}}));
}

// Every page's choices survive a write and a read into a fresh form: writing again gives the same
// bytes.
TEST_F(GraphFileTest, EveryPageReadsBackAsItWasWritten) {
    struct Case {
        const char* name;
        std::int32_t kind;
        std::vector<std::string> checked;
        std::vector<std::pair<std::string, std::int32_t>> selected;
    };
    const Case cases[] = {
        {"DVD by hand",
         TGraphControls::kDvd,
         {"Ch_DVD_UseOverlayMixer", "Ch_DVD_AddToRot"},
         {{"Cb_DVDVid", 1}, {"Cb_DVDAud", 0}, {"Cb_DVD_AudioRenderer", 1}}},
        {"DVD automatic",
         TGraphControls::kDvd,
         {"Ch_UseAutoFilters", "Ch_DVD_UseAutoMixer", "Ch_DVD_UseAutoAudioRenderer"},
         {{"Cb_DVDVid", 0}, {"Cb_DVDAud", 0}, {"Cb_DVD_AudioRenderer", 0}}},
        {"DVD with VMR-9",
         TGraphControls::kDvd,
         {"Ch_DVD_UseVMR9", "Ch_DVD_UseAutoAudioRenderer"},
         {{"Cb_DVDVid", 1}, {"Cb_DVDAud", 0}, {"Cb_DVD_AudioRenderer", 0}}},
        {"media",
         TGraphControls::kMedia,
         {"Ch_Media_UseAutoMixer", "Ch_Media_AddToRot"},
         {{"Cb_Media_AudioRenderer", 1}}},
        {"transcriber",
         TGraphControls::kTranscriber,
         {"Ch_Trans_UseAutoAudioRenderer", "Ch_Trans_AddToRot"},
         {{"Cb_Trans_AudioRenderer", 0}}},
    };
    WriteFilterFile(config_.DVDFiltersFolder(), "Deint.dshowpatch", "<FILTER ID=\"d\"/>");
    WriteFilterFile(config_.MediaFiltersFolder(), "Deint.dshowpatch", "<FILTER ID=\"m\"/>");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto form = Form(c.kind, {{u"Deint", 2 | 0x100}, {u"Other", 1}});
        for (const std::string& box : c.checked) {
            form->Box(box).checked = true;
        }
        for (const auto& [choice, index] : c.selected) {
            form->Choice(choice).items = {{u"x", 0}, {u"y", 0}};
            form->Choice(choice).index = index;
        }
        const std::string written = WriteAndRead(*form, c.kind);
        EXPECT_NE(written.find(c.kind == TGraphControls::kDvd ? "<FILTER ID=\"d\"/>" : "<FILTER ID=\"m\"/>"),
                  std::string::npos);

        auto fresh = Form(c.kind, {{u"Deint", 2 | 0x200}, {u"Other", 1 | 0x100}});
        config_.ReadGraphFile(fresh.get(), dir_.Path("graph.defexgr").c_str(), false, c.kind);
        EXPECT_EQ(fresh->Grid("Ch_" + std::string(TGraphControls::Word(c.kind)) + "_FiltersList").rows,
                  (TNamedList{{u"Deint", 2 | 0x100}, {u"Other", 1}}));
        EXPECT_EQ(WriteAndRead(*fresh, c.kind), written);
    }
}

TEST_F(GraphFileTest, UnicodeGraphAndPatchFilesAreReadAsUnicode) {
    WriteFilterFile(config_.MediaFiltersFolder(), "Sch\xC3\xA4rfe.dshowfilter",
                    Utf16File(u"<FILTER ID=\"\u00E9t\u00E9\"/>"));
    auto form = Form(TGraphControls::kMedia, {{u"Sch\u00E4rfe", 1 | 0x100}});
    const std::string written = WriteAndRead(*form, TGraphControls::kMedia);
    EXPECT_NE(
        written.find(
            "<PATCH Filename=\"Sch\xC3\xA4rfe.dshowfilter\"/>\r\n<FILTER ID=\"\xC3\xA9t\xC3\xA9\"/>\r\n"),
        std::string::npos);

    const std::string graph = dir_.Write(
        "unicode.xgr",
        Utf16File(u"<GRAPH version=\"1.0\">\r\n<PATCH Filename=\"Sch\u00E4rfe.dshowfilter\"/>\r\n"
                  u"<FILTER ID=\"AudioRenderer\" clsid=\"{r2}\"/>\r\n"
                  u"<FILTER ID=\"AVI_Splitter\" CLSID=\"{9736D831-9D6C-4E72-B6E7-560EF9181001}\"/>\r\n"
                  u"<ADDTOROT/>\r\n</GRAPH>"));
    auto fresh = Form(TGraphControls::kMedia, {{u"SCH\u00C4RFE", 1}});
    config_.ReadGraphFile(fresh.get(), graph.c_str(), false, TGraphControls::kMedia);
    EXPECT_EQ(fresh->Grid("Ch_Media_FiltersList").rows, (TNamedList{{u"SCH\u00C4RFE", 1 | 0x100}}));
    EXPECT_EQ(fresh->Choice("Cb_Media_AudioRenderer").index, 1);
    EXPECT_FALSE(fresh->Box("Ch_Media_UseAutoAudioRenderer").checked);
    EXPECT_TRUE(fresh->Box("Ch_UseExternalAviSplitter").checked);
    EXPECT_TRUE(fresh->Box("Ch_Media_AddToRot").checked);
}

TEST_F(GraphFileTest, WhatTheFileDoesNotChooseFallsBackToTheAutomaticChoices) {
    auto form = Form(TGraphControls::kDvd, {{u"Deint", 2 | 0x300}});
    for (const char* box :
         {"Ch_DVD_UseVMR9", "Ch_DVD_UseOverlayMixer", "Ch_DVD_AddToRot", "Ch_UseExternalAviSplitter"}) {
        form->Box(box).checked = true;
    }
    form->Choice("Cb_DVDVid").index = 1;

    // Only the grid bits: the file's PATCH marks, nothing else changes.
    const std::string graph =
        dir_.Write("g.xgr", "<GRAPH><PATCH Filename=\"deint.dshowpatch\"/><ADDTOROT/></GRAPH>");
    config_.ReadGraphFile(form.get(), graph.c_str(), true, TGraphControls::kDvd);
    EXPECT_EQ(form->Grid("Ch_DVD_FiltersList").rows, (TNamedList{{u"Deint", 2 | 0x100}}));
    EXPECT_TRUE(form->Box("Ch_DVD_UseVMR9").checked);
    EXPECT_TRUE(form->Choice("Cb_DVDVid").items.empty());
    EXPECT_EQ(form->Choice("Cb_DVDVid").index, 1);
    config_.ReadGraphFile(form.get(), dir_.Path("missing.xgr").c_str(), false, 0); // no such page
    EXPECT_TRUE(form->Box("Ch_DVD_UseVMR9").checked);

    // A file that does not exist: automatic everything, first items, no registration.
    config_.ReadGraphFile(form.get(), dir_.Path("missing.xgr").c_str(), false, TGraphControls::kDvd);
    EXPECT_EQ(form->Grid("Ch_DVD_FiltersList").rows, (TNamedList{{u"Deint", 2}}));
    EXPECT_TRUE(form->Box("Ch_UseAutoFilters").checked);
    EXPECT_TRUE(form->Box("Ch_DVD_UseAutoMixer").checked);
    EXPECT_FALSE(form->Box("Ch_DVD_UseVMR9").checked);
    EXPECT_FALSE(form->Box("Ch_DVD_UseOverlayMixer").checked);
    EXPECT_TRUE(form->Box("Ch_DVD_UseAutoAudioRenderer").checked);
    EXPECT_FALSE(form->Box("Ch_DVD_AddToRot").checked);
    EXPECT_FALSE(form->Box("Ch_UseExternalAviSplitter").checked);
    EXPECT_EQ(form->Choice("Cb_DVDVid").items, (TNamedList{{u"MPEG-2 A", 0}, {u"MPEG-2 B", 0}}));
    EXPECT_EQ(form->Choice("Cb_DVDVid").index, 0);
    EXPECT_EQ(form->Choice("Cb_DVDAud").index, 0);
    EXPECT_EQ(form->Choice("Cb_DVD_AudioRenderer").index, 0);

    // A decoder the core does not list is not found.
    const std::string unknown =
        dir_.Write("u.xgr", "<GRAPH><FILTER ID=\"DVD_Video_Filter\" CLSID=\"{gone}\"/></GRAPH>");
    config_.ReadGraphFile(form.get(), unknown.c_str(), false, TGraphControls::kDvd);
    EXPECT_TRUE(form->Box("Ch_UseAutoFilters").checked);

    // A form without controls: nothing is needed, the file is still written.
    FakeConfigForm empty;
    config_.ReadGraphFile(&empty, graph.c_str(), false, TGraphControls::kMedia);
    EXPECT_EQ(WriteAndRead(empty, TGraphControls::kTranscriber),
              "<GRAPH version=\"1.0\">\r\n"
              "   <FILTER ID=\"File_Source_0\" clsid=\"{E436EBB5-524F-11CE-9F53-0020AF0BA770}\">\r\n"
              "       <PARAM name=\"src\" value=\"##TOVVAR:FileName##\"/>\r\n"
              "   </FILTER>\r\n\r\n\r\n\r\n"
              "   <RENDER ID=\"File_Source_0\" Pin=\"All\" />\r\n"
              "   <INSERTSAMPLEGRABBER />\r\n"
              "</GRAPH>\r\n" +
                  std::string(4, '\0'));
    EXPECT_FALSE(
        config_.WriteGraphFile(nullptr, dir_.Path("none.defexgr").c_str(), false, TGraphControls::kMedia));
    EXPECT_FALSE(config_.WriteGraphFile(&empty, dir_.Path("none.defexgr").c_str(), false, 0));
    EXPECT_FALSE(config_.WriteGraphFile(&empty, dir_.Path("none.defexgr").c_str(), false, 4));
    EXPECT_FALSE(fs::exists(dir_.Path("none.defexgr")));
}

} // namespace
