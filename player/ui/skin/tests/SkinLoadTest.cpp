// Loading skins from archives and plain files, hostile skins that must leave the running skin whole,
// the operations the main window drives the skin with, and the default skin drawn at build time.
#include "RecordingSkinSink.h"
#include "SkinFixtures.h"

#include "player/ui/skin/SkinFirstLine.h"
#include "player/ui/skin/TSkinScript.h"
#include "subtitles/zip/tests/RawZip.h"

#include <QBuffer>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <zlib.h>

#include <fstream>

namespace {

using namespace skintest;

const std::string kFormat = "[Format]\n"
                            "Form: Name, Caption, Width, Height, Mask, Background, InVideo\n"
                            "Button: Left, Top, Width, Height, Caption, Action, Glyph, NumGlyph\n"
                            "Label: Type, IsText, Left, Top, Width, Height, Caption\n"
                            "SeekBar: Left, Top, Width, Height, FrameColor, BackgroundColor, SeekZoneColor\n"
                            "FullScreenSwap: WindowForm, FullScreenForm\n";

const std::string kGoodScript = "; Good skin\n" + kFormat +
                                "[Objects]\n"
                                "Form: MainForm, Good, 200, 60, Mask.bmp, Back.bmp\n"
                                "SpeedButton: 10, 30, 20, 20, , Pause, Glyph.bmp, 5\n"
                                "Button: 40, 30, 20, 20, Go, Play\n"
                                "Label: TimeDisplay, 1, 10, 5, 80, 16, x\n"
                                "SeekBar: 100, 8, 92, 8, 16777215, 0, 255\n"
                                "Form: Panel2, Second, 100, 40\n"
                                "FullScreenSwap: MainForm, Panel2\n";

class SkinLoadTest : public testing::Test {
protected:
    SkinLoadTest() { sink.skin = &skin; }

    std::string Path(const std::string& name) const {
        return dir.filePath(QString::fromStdString(name)).toStdString();
    }

    std::string Archive(const std::string& name, const std::string& script,
                        std::map<std::string, std::string> extra = {}) {
        if (!script.empty()) {
            extra["skin.txt"] = script;
        }
        const std::string path = Path(name);
        EXPECT_TRUE(WriteZip(path, extra));
        return path;
    }

    std::string GoodArchive() {
        return Archive("good.zip", kGoodScript,
                       {{"Mask.bmp", BmpBytes(Filled(200, 60, Qt::black))},
                        {"Back.bmp", BmpBytes(Filled(200, 60, Qt::darkBlue))},
                        {"Glyph.bmp", BmpBytes(Filled(100, 20, Qt::gray))},
                        {"__Messages.bmp", BmpBytes(Filled(8, 8, Qt::red))}});
    }

    std::string Errors() const {
        std::string all;
        for (const std::u16string& text : sink.errors) {
            all += QString::fromStdU16String(text).toStdString() + "\n";
        }
        return all;
    }

    QTemporaryDir dir;
    RecordingSkinSink sink;
    TSkinScript skin{sink};
};

TEST_F(SkinLoadTest, LoadsArchiveIntoWindowsAndWidgets) {
    ASSERT_TRUE(skin.Load("skin.txt", GoodArchive())) << Errors();
    ASSERT_EQ(skin.Forms().size(), 2u);
    TSkinForm* main = skin.MainForm();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->objectName(), QStringLiteral("MainForm"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Good"));
    EXPECT_EQ(main->size(), QSize(200, 60));
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->Draggable());
    EXPECT_EQ(main->WindowRegion(), QRegion(0, 0, 200, 60));
    EXPECT_FALSE(main->Background().isNull());
    EXPECT_FALSE(skin.Forms()[1]->isVisible());
    EXPECT_EQ(sink.positionLoads, std::vector<std::string>{"MainForm"});
    EXPECT_FALSE(skin.MessagesBitmap().isNull());
    EXPECT_TRUE(skin.MenuLeftBitmap().isNull());
    ASSERT_EQ(skin.SpeedButtons().size(), 1u);
    THoverButton& pause = skin.SpeedButtons()[0]->Button();
    EXPECT_EQ(pause.geometry(), QRect(10, 30, 20, 20));
    EXPECT_EQ(pause.NumGlyphs(), 5);
    EXPECT_TRUE(pause.TransparentGlyph());
    ASSERT_EQ(skin.Buttons().size(), 1u);
    EXPECT_EQ(skin.Buttons()[0]->Button().Caption(), QStringLiteral("Go"));
    EXPECT_EQ(skin.Labels(TSkinScript::kTimeDisplayList).size(), 1u);
    EXPECT_EQ(skin.SeekBars().size(), 1u);
    EXPECT_EQ(skin.WindowFormName(), QStringLiteral("MainForm"));
    EXPECT_EQ(skin.FullScreenFormName(), QStringLiteral("Panel2"));
    // Clicking the skin's pause button runs the player's pause command.
    Click(pause, QPoint(5, 5));
    EXPECT_EQ(sink.executed, std::vector<int>{RecordingSkinSink::kPause});
}

using Entries = std::map<std::string, std::string>;

struct HostileCase {
    const char* name;
    std::string script;
    // Made when the case runs, not when the table is registered: one entry is a 100 MB bitmap.
    Entries (*entries)();
    const char* message;
};

class HostileSkinTable : public SkinLoadTest, public testing::WithParamInterface<HostileCase> {};

// The running skin stays whole: its windows, its main window and the bitmaps other windows borrow.
TEST_P(HostileSkinTable, RefusedWithMessageAndOldSkinKept) {
    ASSERT_TRUE(skin.Load("skin.txt", GoodArchive()));
    TSkinForm* main = skin.MainForm();
    const auto* firstForm = skin.Forms()[0].get();
    const std::string path = Archive("hostile.zip", GetParam().script, GetParam().entries());
    EXPECT_FALSE(skin.Load("skin.txt", path));
    ASSERT_EQ(sink.errors.size(), 1u);
    EXPECT_NE(Errors().find(GetParam().message), std::string::npos) << Errors();
    EXPECT_EQ(skin.MainForm(), main);
    EXPECT_EQ(skin.Forms()[0].get(), firstForm);
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(skin.MessagesBitmap().isNull());
    EXPECT_EQ(skin.FullScreenFormName(), QStringLiteral("Panel2"));
    EXPECT_TRUE(sink.positionSaves.empty());
}

std::string FormWith(const std::string& objects) {
    return kFormat + "[Objects]\nForm: MainForm, Hostile, 100, 40, , Back.bmp\n" + objects;
}

// A bitmap header for a picture of that size, followed by `pixelBytes` zero bytes.
std::string BmpHeader(int width, int height, std::size_t pixelBytes) {
    QImage one(1, 1, QImage::Format_RGB888);
    one.fill(Qt::black);
    std::string bytes = BmpBytes(one);
    auto put32 = [&bytes](std::size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    bytes.resize(54);
    put32(2, static_cast<uint32_t>(54 + pixelBytes));
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    put32(34, static_cast<uint32_t>(pixelBytes));
    return bytes + std::string(pixelBytes, '\0');
}

// A PNG whose header announces a picture of that size (with a valid checksum) over one pixel of data.
std::string PngClaiming(uint32_t width, uint32_t height) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Filled(1, 1, Qt::black).save(&buffer, "PNG");
    std::string png = bytes.toStdString();
    auto put32 = [&png](std::size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            png[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
        }
    };
    put32(16, width);
    put32(20, height);
    put32(29, static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17)));
    return png;
}

Entries NoEntries() {
    return {};
}

std::string Repeated(const std::string& line, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += line;
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Skins, HostileSkinTable,
    testing::Values(HostileCase{"MissingScript", "",
                                [] {
                                    return Entries{{"readme.txt", "no script"}};
                                },
                                "Unable find file : skin.txt into archive "},
                    HostileCase{"ZipSlipBitmapName",
                                FormWith("SpeedButton: 1, 1, 9, 9, , , ../../evil.bmp\n"), NoEntries,
                                "\"../../evil.bmp\" leads outside"},
                    HostileCase{"AbsoluteBitmapName",
                                FormWith("SpeedButton: 1, 1, 9, 9, , , /etc/hostname\n"), NoEntries,
                                "\"/etc/hostname\" leads outside"},
                    HostileCase{"HundredMegabyteBitmap", FormWith(""),
                                [] {
                                    return Entries{{"Back.bmp", BmpHeader(5800, 5800, 5800u * 5800u * 3u)}};
                                },
                                "\"Back.bmp\" holds 100920054 bytes"},
                    HostileCase{"HugePixelSize", FormWith(""),
                                [] {
                                    return Entries{{"Back.bmp", PngClaiming(20000, 20000)}};
                                },
                                "20000 x 20000 pixels"},
                    HostileCase{"NotAPicture", FormWith(""),
                                [] {
                                    return Entries{{"Back.bmp", "BMnot really a bitmap"}};
                                },
                                "not a picture"},
                    HostileCase{"NegativeFormWidth", kFormat + "[Objects]\nForm: MainForm, X, -20, 40\n",
                                NoEntries, "line 8 gives Width the value -20, outside 0 to 4096"},
                    HostileCase{"NegativeButtonHeight", FormWith("Button: 1, 1, 10, -5\n"), NoEntries,
                                "Height the value -5"},
                    HostileCase{"HugeForm", kFormat + "[Objects]\nForm: MainForm, X, 100, 99999999\n",
                                NoEntries, "Height the value 99999999"},
                    HostileCase{"TooManyObjects", "[Objects]\n" + Repeated("Form:\n", 5000), NoEntries,
                                "more than 4096 objects"}),
    [](const testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

TEST_F(SkinLoadTest, ArchiveThatIsNotZipReportsMissingScript) {
    const std::string path = Path("broken.zip");
    std::ofstream(path) << "PK not a zip";
    EXPECT_FALSE(skin.Load("skin.txt", path));
    EXPECT_EQ(Errors(), "Unable find file : skin.txt into archive " + path + "\n");
}

TEST_F(SkinLoadTest, ArchiveEntryNamedOutsideIsNeverLookedUp) {
    RawZipEntry script{"skin.txt", FormWith("SpeedButton: 1, 1, 9, 9, , , evil.bmp\n")};
    RawZipEntry evil{"../evil.bmp", BmpBytes(Filled(10, 10, Qt::red))};
    const std::string path = Path("slip.zip");
    std::ofstream(path, std::ios::binary) << BuildRawZip({script, evil}).Bytes;
    ASSERT_TRUE(skin.Load("skin.txt", path)) << Errors();
    EXPECT_TRUE(skin.SpeedButtons()[0]->Button().GlyphEngine().IsEmpty());
}

TEST_F(SkinLoadTest, PlainScriptHasNoBitmaps) {
    const std::string path = Path("skin.txt");
    std::ofstream(path) << kGoodScript;
    ASSERT_TRUE(skin.Load(path, "")) << Errors();
    EXPECT_TRUE(skin.MainForm()->Background().isNull());
    EXPECT_FALSE(skin.MainForm()->WindowRegion().has_value());
    EXPECT_TRUE(skin.MainForm()->Draggable());
    EXPECT_FALSE(skin.Load(Path("missing.txt"), ""));
    EXPECT_EQ(Errors(), "Unable to open file : " + Path("missing.txt") + "\n");
}

TEST_F(SkinLoadTest, TinyWindowWithSeekBarLoadsAndPaints) {
    const std::string path = Archive(
        "tiny.zip", kFormat + "[Objects]\nForm: MainForm, T, 1, 1\nSeekBar: 0, 0, 1, 1, 255, 0, 65280\n");
    ASSERT_TRUE(skin.Load("skin.txt", path)) << Errors();
    skin.SetDuration(100000);
    skin.SetPosition(99999999);
    TSkinSeekBar& bar = *skin.SeekBars()[0];
    EXPECT_EQ(bar.Unit(), 0);
    EXPECT_EQ(Grab(bar).pixel(0, 0), qRgb(255, 0, 0));
    Press(bar, QPoint(0, 0));
    EXPECT_TRUE(sink.seekTargets.empty());
}

struct MainFormCase {
    const char* name;
    std::string objects;
    std::vector<bool> shown;
    const char* mainName;
};

class MainFormTable : public SkinLoadTest, public testing::WithParamInterface<MainFormCase> {};

TEST_P(MainFormTable, NamesAndShowsMainForm) {
    ASSERT_TRUE(skin.Load("skin.txt", Archive("m.zip", "[Format]\nForm: Name, Width, Height\n[Objects]\n" +
                                                           GetParam().objects)));
    std::vector<bool> shown;
    for (const auto& form : skin.Forms()) {
        shown.push_back(form->isVisible());
    }
    EXPECT_EQ(shown, GetParam().shown);
    ASSERT_NE(skin.MainForm(), nullptr);
    EXPECT_EQ(skin.MainForm()->objectName().toStdString(), GetParam().mainName);
    EXPECT_EQ(skin.MainForm()->size(), QSize(200, 60));
}

INSTANTIATE_TEST_SUITE_P(
    Forms, MainFormTable,
    testing::Values(
        MainFormCase{"NamedMainIsShown", "Form: mainform, 200, 60\n", {true}, "MainForm"},
        MainFormCase{"OtherNameHidden", "Form: Main, 200, 60\n", {false}, "MainForm"},
        MainFormCase{
            "FirstBecomesMainHidden", "Form: A, 200, 60\nForm: B, 10, 10\n", {false, false}, "MainForm"},
        MainFormCase{"SecondMainFormNameRefused",
                     "Form: MainForm, 200, 60\nForm: MainForm, 5, 5\n",
                     {true, false},
                     "MainForm"},
        MainFormCase{"LaterMainForm", "Form: A, 5, 5\nForm: MAINFORM, 200, 60\n", {false, true}, "MainForm"}),
    [](const testing::TestParamInfo<MainFormCase>& info) { return std::string(info.param.name); });

TEST_F(SkinLoadTest, RefusedFormNamesLeaveWindowUnnamed) {
    ASSERT_TRUE(skin.Load("skin.txt", Archive("n.zip", "[Format]\nForm: Name\n[Objects]\nForm: MainForm\n"
                                                       "Form: 2bad\nForm: Good\nForm: good\n")));
    EXPECT_EQ(skin.Forms()[1]->objectName(), QString());
    EXPECT_EQ(skin.Forms()[2]->objectName(), QStringLiteral("Good"));
    EXPECT_EQ(skin.Forms()[3]->objectName(), QString());
}

TEST_F(SkinLoadTest, LabelColumnsBeforeIsTextIgnored) {
    ASSERT_TRUE(skin.Load("skin.txt",
                          Archive("l.zip", "[Format]\nForm: Name\nLabel: Left, Top, Type, IsText, Width\n"
                                           "[Objects]\nForm: MainForm\nLabel: 40, 30, TitleDisplay, 1, 77\n"
                                           "Label: 40, 30, NoSuchKind, 1, 77\nLabel: 1, 1, 1, 1\n")));
    const auto& titles = skin.Labels(2);
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0]->Control().pos(), QPoint(0, 0));
    EXPECT_EQ(titles[0]->Control().width(), 77);
    std::size_t all = 0;
    for (std::size_t kind = 0; kind < TSkinScript::kLabelKinds.size(); ++kind) {
        all += skin.Labels(kind).size();
    }
    EXPECT_EQ(all, 1u);
}

TEST_F(SkinLoadTest, DisplayValuesSurviveLoadsCutToTheirLengths) {
    skin.SetTime(1000);
    skin.SetDuration(3600000);
    ASSERT_TRUE(skin.Load("skin.txt", GoodArchive()));
    QLabel* time = skin.Labels(TSkinScript::kTimeDisplayList)[0]->TextLabel();
    EXPECT_EQ(time->text(), QStringLiteral("  0:00:01"));
    const std::string profileScript = "[Format]\nForm: Name\nLabel: Type, IsText\n[Objects]\nForm: MainForm\n"
                                      "Label: ProfileNameDisplay, 1\n";
    ASSERT_TRUE(skin.Load("skin.txt", Archive("p.zip", profileScript)));
    const QString longName(300, QLatin1Char('n'));
    skin.SetProfileName(longName);
    EXPECT_EQ(skin.Labels(5)[0]->TextLabel()->text().size(), 300);
    ASSERT_TRUE(skin.Load("skin.txt", Archive("p.zip", profileScript)));
    EXPECT_EQ(skin.Labels(5)[0]->TextLabel()->text().size(), 255);
}

TEST_F(SkinLoadTest, HidingInterfaceTwiceThenShowingRestoresVisibility) {
    ASSERT_TRUE(skin.Load("skin.txt", GoodArchive()));
    TSkinForm& main = *skin.MainForm();
    skin.HideInterface();
    skin.HideInterface();
    EXPECT_FALSE(main.isVisible());
    skin.ShowInterface();
    EXPECT_TRUE(main.isVisible());
    skin.HideForm(QStringLiteral("MainForm"));
    skin.HideInterface();
    skin.ShowInterface();
    EXPECT_FALSE(main.isVisible());
}

TEST_F(SkinLoadTest, ShowFormWhileHiddenMarksAndMovesOnly) {
    ASSERT_TRUE(skin.Load("skin.txt", GoodArchive()));
    TSkinForm& panel = *skin.Forms()[1];
    skin.ShowForm(QStringLiteral("NoSuchForm"));
    EXPECT_FALSE(panel.isVisible());
    panel.move(300, 300);
    skin.ShowForm(QStringLiteral("Panel2"));
    EXPECT_TRUE(panel.isVisible());
    // Never hidden before: the kept place starts at the screen's corner.
    EXPECT_EQ(panel.pos(), QPoint(0, 0));
    skin.HideForm(QStringLiteral("Panel2"));
    skin.HideInterface();
    skin.MainForm()->move(120, 80);
    skin.HideForm(QStringLiteral("MainForm"));
    skin.ShowInterface();
    skin.HideInterface();
    skin.ShowForm(QStringLiteral("Panel2"));
    EXPECT_FALSE(panel.isVisible());
    EXPECT_TRUE(panel.VisibleMark());
    EXPECT_EQ(panel.pos(), QPoint(120, 80));
    skin.ShowInterface();
    EXPECT_FALSE(panel.isVisible());
}

TEST_F(SkinLoadTest, FormOpenAndSwapButtons) {
    const std::string script =
        "[Format]\nForm: Name\nButton: Left, Action, Caption\n[Objects]\n"
        "Form: MainForm\nSpeedButton: 0, FormSwap(Panel2), Swap\nButton: 60, FormOpen(-), Hide\n"
        "Form: Panel2\nButton: 0, FormOpen(MainForm), Back\nButton: 60, Play, Menu\n";
    ASSERT_TRUE(skin.Load("skin.txt", Archive("f.zip", script)));
    THoverButton& swap = skin.SpeedButtons()[0]->Button();
    EXPECT_EQ(swap.PrmData(), QStringLiteral("Panel2"));
    EXPECT_EQ(swap.toolTip(), QStringLiteral("Switch to other form"));
    EXPECT_EQ(swap.Caption(), QStringLiteral("Swap"));
    EXPECT_EQ(swap.ActionTag(), THoverButton::kNoAction);
    Click(swap, QPoint(2, 2));
    EXPECT_FALSE(skin.MainForm()->isVisible());
    EXPECT_TRUE(skin.Forms()[1]->isVisible());
    Click(skin.Buttons()[1]->Button(), QPoint(2, 2));
    EXPECT_TRUE(skin.MainForm()->isVisible());
    Click(skin.Buttons()[0]->Button(), QPoint(2, 2));
    EXPECT_FALSE(skin.MainForm()->isVisible());
    EXPECT_EQ(skin.Buttons()[2]->Button().ActionTag(), RecordingSkinSink::kPlay);
    // Form clicks from anything but a hover button change nothing.
    QObject stranger;
    skin.RunFormToggle(&stranger);
    EXPECT_TRUE(skin.Forms()[1]->isVisible());
}

TEST_F(SkinLoadTest, ArrangesAnchoredFormsAroundVideo) {
    const std::string script =
        "[Format]\nForm: Name, Width, Height, InVideo\n[Objects]\nForm: MainForm, 10, 10\n"
        "Form: TR, 50, 20, TopRight\nForm: BL, 40, 30, bottomleft\nForm: BR, 40, 30, BottomRight\n";
    ASSERT_TRUE(skin.Load("skin.txt", Archive("a.zip", script)));
    sink.videoRect = QRect(100, 100, 400, 300);
    EXPECT_TRUE(skin.ArrangeForms(TSkinScript::Arrange::Show));
    EXPECT_EQ(skin.Forms()[1]->pos(), QPoint(450, 100));
    EXPECT_EQ(skin.Forms()[2]->pos(), QPoint(100, 370));
    EXPECT_EQ(skin.Forms()[3]->pos(), QPoint(460, 370));
    EXPECT_TRUE(skin.Forms()[1]->isVisible());
    sink.videoRect = QRect(0, 0, 400, 300);
    EXPECT_TRUE(skin.ArrangeForms(TSkinScript::Arrange::Move));
    EXPECT_EQ(skin.Forms()[1]->pos(), QPoint(350, 0));
    EXPECT_TRUE(skin.ArrangeForms(TSkinScript::Arrange::Hide));
    EXPECT_FALSE(skin.Forms()[1]->isVisible());
    EXPECT_FALSE(skin.Forms()[1]->VisibleMark());
    EXPECT_TRUE(skin.MainForm()->isVisible());
}

TEST_F(SkinLoadTest, ModeButtonsPressedOnce) {
    const std::string script = "[Format]\nForm: Name\nButton: Action, GroupIndex\n[Objects]\nForm: MainForm\n"
                               "SpeedButton: EnterDVDMode, 3\nButton: EnterFileMode, 3\n";
    ASSERT_TRUE(skin.Load("skin.txt", Archive("mode.zip", script)));
    skin.SetModeButtons(true, true);
    EXPECT_TRUE(skin.SpeedButtons()[0]->Button().Down());
    EXPECT_FALSE(skin.Buttons()[0]->Button().Down());
    skin.SetModeButtons(false, true);
    EXPECT_TRUE(skin.Buttons()[0]->Button().Down());
    EXPECT_FALSE(skin.SpeedButtons()[0]->Button().Down());
}

TEST_F(SkinLoadTest, MainFormSavesPlaceWhenReplaced) {
    ASSERT_TRUE(skin.Load("skin.txt", GoodArchive()));
    ASSERT_TRUE(skin.Load("skin.txt", GoodArchive()));
    EXPECT_EQ(sink.positionSaves, std::vector<std::string>{"MainForm"});
}

TEST_F(SkinLoadTest, FirstLineAndPreview) {
    const std::string path = Archive("first.zip", "\n\n" + std::string(300, 'T') + "\nrest\n",
                                     {{"__Preview.bmp", BmpBytes(Filled(20, 10, Qt::green))}});
    std::string line;
    QImage preview;
    ASSERT_TRUE(SkinFirstLine::ReadSkinFirstLine(line, "skin.txt", path, &preview, sink));
    EXPECT_EQ(line, std::string(250, 'T'));
    EXPECT_EQ(preview.size(), QSize(20, 10));
    EXPECT_FALSE(SkinFirstLine::ReadSkinFirstLine(line, "skin.txt", Archive("none.zip", "", {{"a", "b"}}),
                                                  nullptr, sink));
    EXPECT_NE(Errors().find("Unable find file : skin.txt into archive"), std::string::npos);
}

// The default skin, drawn at build time, loads with every control it promises, and its control window
// is saved as a picture (shaped by its mask) for people to look at.
TEST_F(SkinLoadTest, DefaultSkinRendersControlWindow) {
    ASSERT_TRUE(skin.Load("skin.txt", DEFAULT_SKIN_ARCHIVE)) << Errors();
    TSkinForm* main = skin.MainForm();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->size(), QSize(420, 72));
    // The window's controls and the same again standing in the full-screen picture.
    EXPECT_EQ(skin.SpeedButtons().size(), 2 * 11u);
    EXPECT_EQ(skin.SeekBars().size(), 2u);
    ASSERT_EQ(skin.Forms().size(), 2u);
    EXPECT_EQ(skin.Forms()[1]->objectName(), "FullControls");
    EXPECT_EQ(skin.Forms()[1]->Anchor(), SkinAnchor::BottomLeft);
    EXPECT_EQ(skin.FullScreenFormName(), "FullControls");
    EXPECT_FALSE(skin.MenuLeftBitmap().isNull());
    EXPECT_FALSE(skin.VideoBackground().isNull());
    skin.SetDuration(5400000);
    skin.SetPosition(2000000);
    skin.SetTime(2000000);
    skin.SetVolume(QStringLiteral("80%"));
    // The pause button hovered and the play button latched, so the picture shows the other looks.
    THoverButton& play = skin.SpeedButtons()[3]->Button();
    play.SetGroupIndex(1);
    play.SetDown(true);
    Move(skin.SpeedButtons()[4]->Button(), QPoint(10, 10));
    QImage shot(main->size(), QImage::Format_ARGB32);
    shot.fill(Qt::transparent);
    {
        QPainter painter(&shot);
        painter.setClipRegion(main->WindowRegion().value_or(QRegion(main->rect())));
        main->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    ASSERT_TRUE(shot.save(ArtefactPath(QStringLiteral("default-skin-control-window.png"))));
    // Shaped: the corners are cut away, the middle is solid.
    EXPECT_EQ(qAlpha(shot.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(shot.pixel(210, 36)), 255);
    std::string line;
    ASSERT_TRUE(SkinFirstLine::ReadSkinFirstLine(line, "skin.txt", DEFAULT_SKIN_ARCHIVE, nullptr, sink));
    EXPECT_EQ(line.rfind("; Tovrin Default", 0), 0u);
}

} // namespace
