// The editor's settings in "Pellit.ini": defaults of a missing file, texts cut to 259 bytes, flags
// read as on for any value but 0, and the history written only by its own operation.
#include "editor/TPellitConf.h"
#include "editor/tests/EditorTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(PellitConfTest, AMissingFileGivesTheDefaults) {
    TestFolder folder;
    PellitSettings().NbFramesToCapture = 7;
    TPellitConf conf;
    ASSERT_TRUE(conf.Load((folder / "Pellit.ini").c_str()));
    const TPellitSettings& settings = PellitSettings();
    EXPECT_EQ(settings.NbFramesToCapture, 30);
    EXPECT_EQ(settings.AutoCreateSelect, 1);
    EXPECT_EQ(settings.SyncSubOffset, 0);
    EXPECT_EQ(settings.EventDoubleClickMode, 0);
    EXPECT_EQ(settings.AutoHideInterfaceInSync, 0);
    EXPECT_TRUE(settings.StylesTemplatePath.empty());
    EXPECT_TRUE(settings.History[0].empty());
}

TEST(PellitConfTest, ValuesAreReadCutAndWrittenBackWithoutTheHistory) {
    TestFolder folder;
    const std::string path = folder / "Pellit.ini";
    {
        std::ofstream file(path);
        file << "[Profile Editor]\nHistory_1=" << std::string(300, 'h') << "\nHistory_2=/b.zds\n"
             << "AutoCreateSelect=5\nNbFramesToCapture=12\nEventDoubleClickMode=1\n"
             << "[Mine]\nKeep=me\n";
    }
    TPellitConf conf;
    ASSERT_TRUE(conf.Load(path.c_str()));
    EXPECT_EQ(PellitSettings().History[0].size(), 259u);
    EXPECT_EQ(PellitSettings().History[1], "/b.zds");
    EXPECT_EQ(PellitSettings().AutoCreateSelect, 1);
    EXPECT_EQ(PellitSettings().NbFramesToCapture, 12);
    EXPECT_EQ(PellitSettings().EventDoubleClickMode, 1);

    PellitSettings().History[1] = "/changed.zds";
    ASSERT_TRUE(conf.Save(path.c_str()));
    const std::string saved = ReadBytes(path);
    EXPECT_NE(saved.find("History_2=/b.zds"), std::string::npos);
    EXPECT_NE(saved.find("AutoCreateSelect=1"), std::string::npos);
    EXPECT_NE(saved.find("Keep=me"), std::string::npos);

    conf.SaveHistory();
    EXPECT_NE(ReadBytes(path).find("History_2=/changed.zds"), std::string::npos);
}
