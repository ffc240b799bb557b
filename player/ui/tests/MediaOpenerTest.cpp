// Opening files through the main form on the real core, in a program folder holding the files a new
// program folder starts with: what each kind of file opens and plays, the play list, the history
// that Play falls back on, the disc-image tool and the editor (fake programs that write down how they
// were started), and bad input: each gives a message and leaves the player playing the next file.
#include "core/include/VokradOrders.h"
#include "foundation/IniFile.h"
#include "foundation/TMemoryObject.h"
#include "platform/forms/DialogRunner.h"
#include "platform/text/CodePage.h"
#include "player/model/controllers/IAudioInfo.h"
#include "player/model/discinfo/TDVDInfo.h"
#include "player/model/hub/TPlayControl.h"
#include "player/model/playlist/TPlayList.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/profiles/tests/ProfileArchiveFixture.h"
#include "player/model/settings/Tag_PlayerConfig.h"
#include "player/model/settings/Tag_VokradConfig.h"
#include "player/ui/StartCommandLine.h"
#include "player/ui/TMediaOpener.h"
#include "player/ui/TPlaySourceMenu.h"
#include "player/ui/TVideo.h"
#include "tests/MainFormFixture.h"
#include "tests/ReportedMessages.h"

#include <QDialog>
#include <QFileDialog>
#include <QTest>

#include <sys/stat.h>

namespace {

constexpr int kWaitMs = 20000;

std::u16string Wide(const fs::path& path) {
    return plat::text::AnsiToWide(path.string());
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A program that writes its arguments, one a line, then its working folder into `record`.
fs::path FakeProgram(const fs::path& folder, const std::string& name, const fs::path& record) {
    const fs::path program = folder / name;
    std::ofstream(program) << "#!/bin/sh\n"
                           << "for a in \"$@\"; do echo \"$a\"; done >" << record << ".part\n"
                           << "pwd >>" << record << ".part\n"
                           << "mv " << record << ".part " << record << "\n";
    fs::permissions(program, fs::perms::owner_all);
    return program;
}

// The user of the file dialog: chooses `chosen`, or cancels while it is empty.
class DialogUser : public plat::forms::DialogRunner {
public:
    int Run(QDialog& dialog) override {
        ++runs;
        title = dialog.windowTitle();
        if (chosen.empty()) {
            return QDialog::Rejected;
        }
        dynamic_cast<QFileDialog&>(dialog).selectFile(QString::fromStdString(chosen));
        return QDialog::Accepted;
    }
    int runs = 0;
    QString title;
    std::string chosen;
};

class MediaOpenerTest : public MainFormFixture {
protected:
    void PrepareProgramFolder(const fs::path& program) override {
        fs::copy(FIRST_RUN_FOLDER, program, fs::copy_options::recursive);
    }

    void SetUp() override {
        MainFormFixture::SetUp();
        media_ = root_ / "media";
        fs::create_directories(media_);
        plat::forms::DialogRunner::SetCurrent(&dialogs_);
        ClearMessages(box_); // the program folder has no skins: the default skin was not found
    }
    void TearDown() override {
        plat::forms::DialogRunner::SetCurrent(nullptr);
        MainFormFixture::TearDown();
    }

    TMediaOpener& Opener() { return main_->Opener(); }

    fs::path Clip(const std::string& fixture, const std::string& name) const {
        fs::copy_file(fs::path(MEDIA_FIXTURES) / fixture, media_ / name,
                      fs::copy_options::overwrite_existing);
        return media_ / name;
    }
    fs::path Profile(const std::string& name) const {
        const fs::path path = media_ / name;
        EXPECT_TRUE(WriteFixtureProfile(
            path.string(), {{"Volume", 0, 0, false, {{"English", {{1000, 3000, "Hello"}}, {{255, 0}}}}}}));
        return path;
    }
    fs::path Garbage(const std::string& name) const {
        std::ofstream(media_ / name) << "not what its name says";
        return media_ / name;
    }

    // The open profile's archive; empty without one.
    std::string OpenProfile() const {
        char16_t path[4096] = {};
        return main_->ProfileSubtitles()->GetProfilePath(path, 4096) ? plat::text::WideToAnsi(path) : "";
    }
    bool Played() const { return IndexOf("order " + std::to_string(kOrderPlay)) < calls_.size(); }
    bool PlaysUntilRunning() const {
        return QTest::qWaitFor([this] { return main_->PlayControl()->GetPlayState() == kPlayStatePlaying; },
                               kWaitMs);
    }

    fs::path media_;
    DialogUser dialogs_;
};

TEST_F(MediaOpenerTest, EachKindOfFileOpensWhatItsTypeSays) {
    struct Row {
        const char* name;
        std::function<fs::path()> make;
        int32_t result;
        const char* profile; // file name of the profile opened; "" none
        bool plays;
        int32_t historyCount;
    };
    const Row rows[] = {
        {"a media file opens its companion profile and plays",
         [this] {
             Profile("movie.zds");
             return Garbage("movie.avi");
         },
         1, "movie.zds", true, 1},
        {"a media file without a profile plays without one", [this] { return Garbage("song.mp3"); }, 1, "",
         true, 2},
        {"a profile alone opens and plays nothing", [this] { return Profile("alone.zds"); }, 1, "alone.zds",
         false, 2},
        {"a profile that does not open answers 0", [this] { return Garbage("broken.zds"); }, 0, "", false, 2},
        {"an extension of more than nine characters has no type",
         [this] { return Garbage("film.avi1234567"); }, 1, "", false, 2},
        {"a disc image plays directly without a mounting tool", [this] { return Garbage("disc.iso"); }, 1, "",
         true, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path file = row.make();
        calls_.clear();
        EXPECT_EQ(Opener().OpenFile(Wide(file), u"", false, -1, false), row.result);
        EXPECT_EQ(fs::path(OpenProfile()).filename().string(), row.profile);
        EXPECT_EQ(Played(), row.plays);
        EXPECT_EQ(Opener().History().Count(), row.historyCount);
    }
    EXPECT_TRUE(main_->IsDVDMode()) << "the image switched to disc mode";
    EXPECT_EQ(Opener().History().Entry(0)->Path, Wide(media_ / "song.mp3"));
    EXPECT_EQ(Opener().History().Entry(1)->ProfileFile, Wide(media_ / "movie.zds"));
}

TEST_F(MediaOpenerTest, TheCommandLineOpensTheFileWithItsProfileAndDontPlayOnlyOpensTheProfile) {
    const fs::path clip = Clip("clip.ogg", "clip.ogg");
    Profile("clip.zds");
    main_->ProcessCommandLine("/O:\"" + clip.string() + "\"", 0);
    EXPECT_EQ(OpenProfile(), (media_ / "clip.zds").string());
    EXPECT_TRUE(main_->IsFileMode());
    EXPECT_EQ(main_->CurrentMedia(), clip.string());
    ASSERT_TRUE(PlaysUntilRunning());

    main_->CloseProfile();
    calls_.clear();
    EXPECT_EQ(Opener().OpenFile(Wide(clip), u"", true, -1, false), 0);
    EXPECT_EQ(OpenProfile(), (media_ / "clip.zds").string());
    EXPECT_FALSE(Played());
}

TEST_F(MediaOpenerTest, APlayListLoadsIntoTheQueueAndStartsUnlessAskedNotTo) {
    const fs::path first = Clip("clip.ogg", "one.ogg");
    const fs::path second = Clip("clip.mp4", "two.mp4");
    TPlayList list;
    list.AddFile(Wide(first).c_str(), nullptr, 0, nullptr, 0, nullptr, false);
    list.AddFile(Wide(second).c_str(), nullptr, 0, nullptr, 0, nullptr, false);
    ASSERT_TRUE(list.SaveToFile(Wide(media_ / "films.tovwsx")));

    calls_.clear();
    EXPECT_EQ(Opener().OpenFile(Wide(media_ / "films.tovwsx"), u"", false, -1, true), 1);
    EXPECT_EQ(main_->PlayQueue().Count(), 2);
    EXPECT_FALSE(Played());
    EXPECT_EQ(Opener().OpenFile(Wide(media_ / "films.tovwsx"), u"", false, -1, false), 1);
    EXPECT_EQ(main_->CurrentMedia(), first.string());
    main_->PlayQueueItem(1);
    EXPECT_EQ(main_->CurrentMedia(), second.string());
    EXPECT_EQ(main_->PlayQueue().GetCurrent(), 1);
}

TEST_F(MediaOpenerTest, SeveralFilesPlayOneAfterTheOtherWhicheverWayTheyCome) {
    const std::vector<std::string> clips = {Clip("clip.ogg", "a.ogg").string(),
                                            Clip("clip.mp4", "b.mp4").string(),
                                            Clip("clip.ogg", "c.ogg").string()};
    const fs::path list = media_ / "lists" / "relative.tovwsx";
    fs::create_directories(list.parent_path());
    std::ofstream(list) << "<?wsx version=\"1.0\"?>\n<smil>\n"
                        << "<media src=\"../a.ogg\"/>\n<media src=\"../gone.mp4\"/>\n"
                        << "<media src=\"../b.mp4\"/>\n<media src=\"../c.ogg\"/>\n</smil>\n";
    struct Way {
        const char* name;
        std::function<void()> start;
    };
    const Way ways[] = {
        {"the command line", [&] { main_->ProcessCommandLine(StartCommandLine::Build(clips, "/"), 0); }},
        {"dropped together", [&] { main_->OnDropFiles(clips); }},
        {"a play list of relative paths with an entry that is gone", [&] { main_->OpenFile(list.string()); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        ClearMessages(box_);
        way.start();
        for (const std::string& clip : clips) {
            // Each one plays to its end, which starts the next.
            EXPECT_TRUE(QTest::qWaitFor([&] { return main_->CurrentMedia() == clip; }, kWaitMs))
                << main_->CurrentMedia();
            EXPECT_TRUE(PlaysUntilRunning());
            EXPECT_EQ(video_->CaptionText().toStdString(), fs::path(clip).filename().string());
        }
        // The end of the last one stops: no picture is left standing, the displays are reset.
        EXPECT_TRUE(QTest::qWaitFor([&] { return main_->CurrentMedia().empty(); }, kWaitMs));
        EXPECT_EQ(main_->PlayControl()->GetPlayState(), kPlayStateStopped);
        EXPECT_EQ(video_->CaptionText(), "Video");
        const QStringList messages = ReportedMessages(box_);
        const bool listWay = std::string_view(way.name).find("play list") != std::string_view::npos;
        ASSERT_EQ(messages.size(), listWay ? 1 : 0) << messages.join('|').toStdString();
        if (listWay) {
            EXPECT_TRUE(messages[0].contains("gone.mp4"));
        }
    }
}

TEST_F(MediaOpenerTest, NextAndPlayFollowTheQueueInItsOrder) {
    const std::vector<std::string> clips = {Clip("clip.ogg", "a.ogg").string(),
                                            Clip("clip.mp4", "b.mp4").string(),
                                            Clip("clip.ogg", "c.ogg").string()};
    main_->ProcessCommandLine(StartCommandLine::Build(clips, "/"), 0);
    ASSERT_EQ(main_->CurrentMedia(), clips[0]);
    main_->RunCommandWord("NEXTCHAPTER");
    EXPECT_EQ(main_->CurrentMedia(), clips[1]) << "Next during the first";
    main_->RunCommandWord("STOP");
    main_->RunCommandWord("PLAY");
    EXPECT_EQ(main_->CurrentMedia(), clips[1]) << "Play after a stop starts the same entry again";
    main_->ProcessCommandLine("/PL:3", 0);
    EXPECT_EQ(main_->CurrentMedia(), clips[2]) << "/PL:3 is the third file given";
    main_->RunCommandWord("NEXTCHAPTER");
    EXPECT_EQ(main_->CurrentMedia(), "") << "Next on the last stops";
}

TEST_F(MediaOpenerTest, FastForwardPlaysAFileFaster) {
    Opener().OpenFile(Wide(Clip("long.mp4", "long.mp4")), u"", false, -1, false);
    ASSERT_TRUE(PlaysUntilRunning());
    main_->RunCommandWord("FASTFORWARD");
    EXPECT_EQ(main_->PlayControl()->GetPlayState(), kPlayStateScanning);
    // Over a stretch of playing, the clip's clock runs at least half again as fast as the wall's.
    const int32_t startMs = main_->PlayControl()->GetTimeCode();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return main_->PlayControl()->GetTimeCode() >= startMs + 3000; }, kWaitMs));
    const auto wallMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    EXPECT_LT(wallMs * 3, (main_->PlayControl()->GetTimeCode() - startMs) * 2)
        << "the clip advanced " << main_->PlayControl()->GetTimeCode() - startMs << " ms in " << wallMs
        << " ms";
}

TEST_F(MediaOpenerTest, AProfileGivenWithAFileIsRememberedForIt) {
    const fs::path clip = Clip("clip.ogg", "clip.ogg");
    const fs::path profile = Profile("chosen by hand.zds");
    Opener().OpenFile(Wide(clip), Wide(profile), false, -1, false);
    ASSERT_TRUE(PlaysUntilRunning());
    // Once the clip's information is loaded it holds the profile.
    const auto* info = dynamic_cast<const TDVDInfo*>(main_->PlayControl()->DVDInfo());
    ASSERT_NE(info, nullptr);
    TMemoryObject held(520);
    EXPECT_TRUE(QTest::qWaitFor([&] { return info->GetProfile(&held); }, kWaitMs));
    Opener().Ac_Stop();
    main_->CloseProfile();
    Opener().OpenFile(Wide(clip), u"", false, -1, false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return OpenProfile() == profile.string(); }, kWaitMs)) << OpenProfile();
}

TEST_F(MediaOpenerTest, AMuteWithNothingLoadedHoldsForWhatPlaysAndIsKeptInTheSettings) {
    IAudioInfo& audio = *main_->PlayControl()->Controllers().Audio;
    main_->RunCommandWord("VOLUMEMUTE");
    ASSERT_TRUE(audio.IsMuted());
    Opener().OpenFile(Wide(Clip("clip.ogg", "clip.ogg")), u"", false, -1, false);
    ASSERT_TRUE(PlaysUntilRunning());
    EXPECT_TRUE(audio.IsMuted());
    EXPECT_EQ(audio.GetVolume(), 0) << "the sound is as silent as the display says";
    main_->RunCommandWord("VOLUMEMUTE");
    EXPECT_EQ(audio.GetVolume(), PlayerConfig().Volume) << "one press brings the sound back";
    main_->RunCommandWord("VOLUMEMUTE");
    main_->Ac_QuitExecute();
    IniFile settings;
    ASSERT_TRUE(settings.Load((root_ / "prog" / "INI" / "Tovrin.ini").c_str()));
    EXPECT_TRUE(settings.ReadBool("Sound", "Mute", false));
}

TEST_F(MediaOpenerTest, PlayWithAnEmptyQueueResumesTheNewestHistoryEntry) {
    Opener().OpenFile(Wide(Garbage("older.avi")), u"", false, -1, false);
    Opener().OpenFile(Wide(Garbage("newest.avi")), u"", false, -1, false);
    Opener().Ac_Stop();
    ASSERT_TRUE(Opener().QueuePending());
    ASSERT_EQ(main_->PlayQueue().Count(), 0);
    main_->RunCommandWord("PLAY");
    EXPECT_EQ(main_->CurrentMedia(), (media_ / "newest.avi").string());
    EXPECT_EQ(dialogs_.runs, 0);

    Opener().History().Clear();
    Opener().Ac_Stop();
    main_->RunCommandWord("PLAY");
    EXPECT_EQ(dialogs_.runs, 1) << "nothing to resume: the user is asked for a file";
    EXPECT_EQ(main_->CurrentMedia(), "");
}

TEST_F(MediaOpenerTest, OpenProfileOpensTheFileTheUserChooses) {
    dialogs_.chosen = Profile("chosen.zds").string();
    main_->RunCommandWord("OPENPROFILE");
    EXPECT_EQ(dialogs_.title, "Select the DVD Profile");
    EXPECT_EQ(OpenProfile(), dialogs_.chosen);
}

TEST_F(MediaOpenerTest, ASubtitleFileBesideAClipIsItsProfile) {
    const fs::path clip = Clip("clip.mp4", "movie.mp4");
    std::ofstream(media_ / "movie.srt") << "1\n00:00:01,000 --> 00:00:03,000\nHello\n\n";
    EXPECT_EQ(Opener().OpenFile(Wide(clip), u"", false, -1, false), 1);
    const TDVDProfile& profile = main_->ProfileSubtitles()->Profile();
    ASSERT_NE(profile.GetFileName(), nullptr) << ReportedMessages(box_).join('|').toStdString();
    EXPECT_EQ(*profile.GetFileName(), Wide(media_ / "movie.srt"));
    EXPECT_NE(profile.CurrentLanguage, nullptr) << "its language is shown";
    EXPECT_TRUE(main_->ProfileSubtitlesShown());
    EXPECT_TRUE(PlaysUntilRunning());
}

TEST_F(MediaOpenerTest, TheChooserListsEveryKindOfFileThePlayerOpens) {
    struct FilterReader : DialogUser {
        int Run(QDialog& dialog) override {
            seen = dynamic_cast<QFileDialog&>(dialog).nameFilters();
            return QDialog::Rejected;
        }
        QStringList seen;
    } reader;
    plat::forms::DialogRunner::SetCurrent(&reader);
    main_->RunCommandWord("OPENPROFILE");
    ASSERT_EQ(reader.seen.size(), 5);
    const struct {
        int filter;
        const char* masks; // each must be listed
    } rows[] = {
        {0, "*.mov *.avi *.zds *.ds *.mp4 *.mkv *.iso *.srt *.ass *.smil"},
        {1, "*.zds"},
        {2, "*.ds *.srt *.ssa *.sub *.jss"},
        {3, "*.mov *.mpeg *.mp4 *.mkv *.webm *.mp3 *.iso"},
    };
    // The masks of a filter "name (mask mask ...)".
    const auto masksOf = [&](int filter) {
        const QString& text = reader.seen[filter];
        const qsizetype open = text.indexOf('(');
        return text.mid(open + 1, text.size() - open - 2).split(' ');
    };
    for (const auto& row : rows) {
        const QStringList listed = masksOf(row.filter);
        for (const QString& mask : QString::fromLatin1(row.masks).split(' ')) {
            EXPECT_TRUE(listed.contains(mask))
                << reader.seen[row.filter].toStdString() << " lacks " << mask.toStdString();
        }
    }
    EXPECT_FALSE(masksOf(3).contains("*.srt")) << "subtitles are no media";
    EXPECT_FALSE(masksOf(2).contains("*.zds")) << "archives have their own filter";
    EXPECT_EQ(masksOf(0).count("*.avi"), 1) << "each mask once";
    EXPECT_TRUE(reader.seen[4].startsWith("All files ("));
}

// Two optical drives: sr0 holding the test disc, sr1 empty.
void MakeDrives(const fs::path& root) {
    const fs::path block = root / "block";
    fs::create_directories(block / "sda" / "device");
    for (const char* name : {"sr0", "sr1"}) {
        fs::create_directories(block / name / "device");
        std::ofstream(block / name / "dev") << "11:" << name[2] << "\n";
        std::ofstream(block / name / "device" / "type") << "5\n";
    }
    std::ofstream(root / "mountinfo") << "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
                                      << "31 22 11:0 / " << DVD_FIXTURES << "/disc ro - udf /dev/sr0 ro\n";
}

TEST_F(MediaOpenerTest, PlayInDiscModeWithTheAutoDrivePlaysTheDiscOfTheFirstOpticalDrive) {
    MakeDrives(root_);
    Opener().SetSysBlockFolder((root_ / "block").string());
    ASSERT_EQ(Opener().Drives().size(), 2u);
    ASSERT_TRUE(main_->IsDVDMode());
    main_->RunCommandWord("PLAY");
    EXPECT_TRUE(PlaysUntilRunning());
    EXPECT_TRUE(ReportedMessages(box_).isEmpty()) << ReportedMessages(box_).join('|').toStdString();
}

TEST_F(MediaOpenerTest, ThePlaySourceMenuChoosesTheDriveOrTheFolderDiscsPlayFrom) {
    MakeDrives(root_);
    Opener().SetSysBlockFolder((root_ / "block").string());
    TPlaySourceMenu& menu = *main_->PlayMenu();
    menu.BuildDriveItems();
    const QList<QAction*> drives = menu.DiskMenu()->actions();
    ASSERT_EQ(drives.size(), 3);
    EXPECT_EQ(drives[0]->objectName(), "Menu_PlayAuto");
    EXPECT_TRUE(drives[0]->isChecked());
    menu.Pop_PlayPopup();
    EXPECT_EQ(drives[1]->text().toStdString(), "/dev/sr0 (" + std::string(DVD_FIXTURES) + "/disc)");
    EXPECT_EQ(drives[2]->text(), "/dev/sr1");

    drives[2]->trigger();
    EXPECT_EQ(VokradConfig().Drive, "/dev/sr1");
    EXPECT_TRUE(drives[2]->isChecked());
    drives[1]->trigger();
    EXPECT_EQ(VokradConfig().Drive, "/dev/sr0");
    main_->RunCommandWord("PLAY");
    EXPECT_TRUE(PlaysUntilRunning()) << "the disc mounted from that drive";
    EXPECT_TRUE(ReportedMessages(box_).isEmpty()) << ReportedMessages(box_).join('|').toStdString();

    dialogs_.chosen = std::string(DVD_FIXTURES) + "/chained";
    menu.FolderItem()->trigger();
    EXPECT_EQ(menu.FolderItem()->text().toStdString(), dialogs_.chosen);
    EXPECT_TRUE(PlayerConfig().PlayFolderSet);
    EXPECT_TRUE(menu.FolderMenu()->menuAction()->isChecked());
    EXPECT_FALSE(menu.DiskMenu()->menuAction()->isChecked());

    Opener().OpenFile(Wide(Clip("clip.ogg", "clip.ogg")), u"", false, -1, false);
    EXPECT_FALSE(menu.DiskMenu()->menuAction()->isEnabled()) << "file mode";
    EXPECT_FALSE(menu.RemoveForcedSubtitle()->isEnabled());
}

TEST_F(MediaOpenerTest, WithTheMountingToolOnADiscImageGoesToTheToolAndWaitsForItsDisc) {
    const fs::path record = root_ / "tool.txt";
    const fs::path tool = FakeProgram(root_, "mount tool", record);
    PlayerConfig().ISOToolsEnabled = true;
    PlayerConfig().ISOToolsPath = "\"" + tool.string() + "\" loop-setup -f";
    const fs::path image = Garbage("my disc.iso");
    calls_.clear();
    EXPECT_EQ(Opener().OpenFile(Wide(image), u"", false, -1, false), 1);
    EXPECT_TRUE(main_->MountPending());
    EXPECT_FALSE(Played());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(record); }, kWaitMs));
    EXPECT_EQ(ReadText(record),
              "loop-setup\n-f\n" + image.string() + "\n" + fs::current_path().string() + "\n");

    PlayerConfig().ISOToolsPath = (root_ / "no such tool").string();
    EXPECT_EQ(Opener().OpenFile(Wide(image), u"", false, -1, false), 1) << "a missing tool shows nothing";
    EXPECT_TRUE(ReportedMessages(box_).isEmpty()) << ReportedMessages(box_).join('|').toStdString();
}

TEST_F(MediaOpenerTest, EditProfileStartsTheEditorWithTheOpenProfileInTheProgramFolder) {
    const fs::path record = root_ / "editor.txt";
    Opener().SetEditorProgram(FakeProgram(root_, "editor", record).string());
    const fs::path profile = Profile("my \"best\" profile.zds");
    Opener().OpenFile(Wide(profile), u"", false, -1, false);
    ASSERT_TRUE(Opener().Ac_EditProfile());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(record); }, kWaitMs));
    EXPECT_EQ(ReadText(record), "/o:\"" + (media_ / "my \"\"best\"\" profile.zds").string() + "\"\n" +
                                    (root_ / "prog").string() + "\n");

    fs::remove(record);
    main_->CloseProfile();
    ASSERT_TRUE(Opener().Ac_EditProfile());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(record); }, kWaitMs));
    EXPECT_EQ(ReadText(record), (root_ / "prog").string() + "\n") << "no profile: no argument";

    Opener().SetEditorProgram((root_ / "missing editor").string());
    EXPECT_FALSE(Opener().Ac_EditProfile());
    ASSERT_EQ(ReportedMessages(box_).size(), 1);
    EXPECT_TRUE(ReportedMessages(box_)[0].contains("missing editor"));
}

TEST_F(MediaOpenerTest, BadInputGivesAMessageAndThePlayerPlaysTheNextFile) {
    const fs::path good = Clip("clip.ogg", "good.ogg");
    const fs::path unreadableDisc = root_ / "disc";
    fs::create_directories(unreadableDisc / "VIDEO_TS");
    std::ofstream(unreadableDisc / "VIDEO_TS" / "VIDEO_TS.IFO") << "no IFO at all";
    struct Row {
        const char* name;
        std::function<void()> open;
    };
    const Row rows[] = {
        {"a file that does not exist",
         [&] { main_->ProcessCommandLine("/O:\"" + (media_ / "gone.avi").string() + "\"", 0); }},
        {"a corrupt video", [&] { main_->OpenFile(Clip("corrupt.mp4", "corrupt.mp4").string()); }},
        {"an unreadable disc folder", [&] { main_->OpenFile(unreadableDisc.string()); }},
        {"a path longer than the core takes",
         [&] {
             const fs::path deep = media_ / std::string(120, 'a') / std::string(120, 'b');
             fs::create_directories(deep);
             fs::copy_file(good, deep / "clip.ogg");
             main_->OpenFile((deep / "clip.ogg").string());
         }},
        {"a profile that does not open",
         [&] {
             Garbage("good.zds");
             main_->OpenFile(good.string());
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ClearMessages(box_);
        row.open();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !ReportedMessages(box_).isEmpty(); }, kWaitMs))
            << "no message";
        fs::remove(media_ / "good.zds");
        main_->OpenFile(good.string());
        EXPECT_TRUE(PlaysUntilRunning());
        EXPECT_FALSE(main_->IsClosing());
    }
}

} // namespace
