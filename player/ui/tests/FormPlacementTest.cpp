// Form places in "Form Pos.ini" on two monitors: what is written for each window state, what a
// sizeable and a fixed form read back, the exact state names, and places off every monitor (or files
// with hostile numbers) brought back onto one.
#include "foundation/IniFile.h"
#include "player/ui/TFormPlacement.h"
#include "tests/TwoScreens.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QWidget>

#include <fstream>
#include <memory>

namespace {

class FormPlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder_.isValid());
        placement_.SetFolder(folder_.path().toStdString() + "/");
    }

    void WriteFile(const std::string& text) { std::ofstream(placement_.Path(), std::ios::binary) << text; }

    IniFile ReadFile() const {
        IniFile ini;
        EXPECT_TRUE(ini.Load(placement_.Path().c_str()));
        return ini;
    }

    static std::unique_ptr<QWidget> Form(const char* name, bool sizeable = true) {
        auto form = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
        form->setObjectName(name);
        form->setGeometry(100, 100, 300, 200);
        if (!sizeable) {
            form->setFixedSize(300, 200);
        }
        return form;
    }

    QTemporaryDir folder_;
    TFormPlacement placement_;
};

TEST_F(FormPlacementTest, SavedPlacesComeBackOnTheirMonitor) {
    struct Case {
        const char* name;
        QRect saved;
    };
    const Case cases[] = {
        {"first monitor", QRect(40, 60, 320, 240)},
        {"second monitor", QRect(1500, 200, 400, 300)},
        {"astride both", QRect(900, 100, 300, 200)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto form = Form("Playlist");
        form->setGeometry(c.saved);
        form->show();
        ASSERT_TRUE(placement_.Save(form.get()));
        const IniFile ini = ReadFile();
        EXPECT_EQ(ini.ReadInteger("Playlist", "X", 0), c.saved.x());
        EXPECT_EQ(ini.ReadInteger("Playlist", "Width", 0), c.saved.width());
        EXPECT_EQ(ini.ReadString("Playlist", "State", ""), "Normal");
        auto reloaded = Form("Playlist");
        placement_.Load(reloaded.get());
        EXPECT_EQ(reloaded->geometry(), c.saved);
    }
}

TEST_F(FormPlacementTest, PlacesOffEveryMonitorAreClampedBack) {
    struct Case {
        const char* name;
        const char* file;
        QRect expected;
    };
    const QRect first = TwoScreens::kFirst;
    const QRect second = TwoScreens::kSecond;
    const Case cases[] = {
        {"far right and below", "[Playlist]\nX=3000\nY=3000\nWidth=300\nHeight=200\n",
         QRect(second.right() + 1 - 300, second.bottom() + 1 - 200, 300, 200)},
        {"left of the first", "[Playlist]\nX=-500\nY=10\nWidth=300\nHeight=200\n", QRect(0, 10, 300, 200)},
        {"above the second", "[Playlist]\nX=1600\nY=-900\nWidth=300\nHeight=200\n", QRect(1600, 0, 300, 200)},
        {"below the first only", "[Playlist]\nX=100\nY=740\nWidth=300\nHeight=200\n",
         QRect(100, first.bottom() + 1 - 200, 300, 200)},
        {"larger than its monitor", "[Playlist]\nX=-50\nY=-50\nWidth=5000\nHeight=4000\n",
         QRect(second.topLeft(), QSize(5000, 4000))},
        {"missing numbers read as 250", "[Playlist]\nState=Normal\n", QRect(250, 250, 250, 250)},
        {"numbers that are not", "[Playlist]\nX=abc\nY=99999999999\nWidth=-7\nHeight=0\n",
         QRect(250, 250, 1, 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(c.file);
        auto form = Form("Playlist");
        placement_.Load(form.get());
        EXPECT_EQ(form->geometry(), c.expected);
    }
}

TEST_F(FormPlacementTest, StatesAreReadExactlyAndOnlyForSizeableForms) {
    WriteFile("[Zoom]\nX=300\nY=200\nWidth=500\nHeight=400\nState=Maximized\n"
              "[Lower]\nX=300\nY=200\nWidth=500\nHeight=400\nState=maximized\n");
    auto fixed = Form("Zoom", false);
    placement_.Load(fixed.get());
    EXPECT_EQ(fixed->geometry(), QRect(300, 200, 300, 200)) << "a fixed form takes its corner only";
    EXPECT_FALSE(fixed->isMaximized());

    auto sizeable = Form("Zoom");
    placement_.Load(sizeable.get());
    EXPECT_TRUE(sizeable->windowState().testFlag(Qt::WindowMaximized));

    auto lower = Form("Lower");
    placement_.Load(lower.get());
    EXPECT_FALSE(lower->windowState().testFlag(Qt::WindowMaximized)) << "\"maximized\" is not a state";
    EXPECT_EQ(lower->size(), QSize(500, 400));
}

TEST_F(FormPlacementTest, AMaximisedFormSavesOnlyItsStateAndKeepsItsNormalPlace) {
    WriteFile("; kept\r\n[Playlist]\r\nX=40\r\nY=60\r\nHeight=240\r\nWidth=320\r\nState=Normal\r\n");
    auto form = Form("Playlist");
    form->showMaximized();
    ASSERT_TRUE(placement_.Save(form.get()));
    const IniFile ini = ReadFile();
    EXPECT_EQ(ini.ReadString("Playlist", "State", ""), "Maximized");
    EXPECT_EQ(ini.ReadInteger("Playlist", "X", 0), 40);
    EXPECT_EQ(ini.ReadInteger("Playlist", "Width", 0), 320);
    EXPECT_EQ(ini.Text().rfind("; kept\r\n", 0), 0u) << "the rest of the file stays as it was";
}

TEST_F(FormPlacementTest, FormsWithoutASectionOrThatKeepNoPlaceAreLeftAlone) {
    WriteFile("[Other]\nX=5\n");
    auto form = Form("Playlist");
    placement_.Load(form.get());
    EXPECT_EQ(form->geometry(), QRect(100, 100, 300, 200));
    auto keeps = Form("EditProfile");
    ASSERT_TRUE(placement_.Save(keeps.get()));
    EXPECT_FALSE(ReadFile().SectionExists("EditProfile"));
}

TEST_F(FormPlacementTest, TheVideoWindowKeepsItsPlace) {
    auto video = Form("Video");
    video->setGeometry(120, 80, 400, 300);
    ASSERT_TRUE(placement_.Save(video.get()));
    auto restarted = Form("Video");
    placement_.Load(restarted.get());
    EXPECT_EQ(restarted->geometry(), QRect(120, 80, 400, 300));
}

TEST_F(FormPlacementTest, TheSettingsFolderIsMadeAndAFileThatCannotBeWrittenIsAFailure) {
    placement_.SetFolder(folder_.path().toStdString() + "/new/INI/");
    auto form = Form("Playlist");
    EXPECT_TRUE(placement_.Save(form.get()));
    EXPECT_TRUE(ReadFile().SectionExists("Playlist"));

    std::ofstream(folder_.path().toStdString() + "/file") << "not a folder";
    placement_.SetFolder(folder_.path().toStdString() + "/file/INI/");
    EXPECT_FALSE(placement_.Save(form.get()));
}

} // namespace
