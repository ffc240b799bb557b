// The engine's entry points of the player as a client window receives them: posted messages and
// WM_COPYDATA records, compared byte for byte with records laid out here by offset.
#include "core/include/VokradNotifications.h"
#include "core/src/TCoreErrorTexts.h"
#include "core/src/TCoreMessageBuilder.h"
#include "core/src/TCorePlayer.h"
#include "core/src/TEventTime.h"
#include "core/tests/ClientWindow.h"
#include "core/tests/ManualClocks.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::byte>;

void PutU32(Bytes& record, std::size_t offset, std::uint32_t value) {
    std::memcpy(record.data() + offset, &value, sizeof(value));
}

Bytes WithHead(std::size_t size, std::uint32_t kind) {
    Bytes record(size);
    PutU32(record, 0, 12);
    PutU32(record, 8, kind);
    PutU32(record, 12, static_cast<std::uint32_t>(size - 12));
    return record;
}

Bytes TextRecord(const std::string& text, std::uint8_t severity) {
    Bytes record = WithHead(2072, 1225);
    record[20] = std::byte{severity};
    std::memcpy(record.data() + 21, text.data(), text.size());
    return record;
}

Bytes StatusRecord(std::uint32_t kind, std::uint32_t value1, std::uint32_t value2) {
    Bytes record = WithHead(28, 1629);
    PutU32(record, 16, kind);
    PutU32(record, 20, value1);
    PutU32(record, 24, value2);
    return record;
}

class TCorePlayerNotifyTest : public testing::Test {
protected:
    void SetUp() override {
        player_.PlayStart();
        ASSERT_EQ(player_.RegisterClient(client_.hwnd(), client_.hwnd(), kHostClientMask), 1);
    }

    // The clock counts, as while playing.
    void Play() { player_.UpdatePlayState(kPlayStatePlaying, false); }

    std::shared_ptr<ManualClocks> clocks_ = std::make_shared<ManualClocks>();
    ClientWindow client_;
    TCorePlayer player_{nullptr, clocks_};
};

struct ErrorCase {
    std::uint32_t kind;
    std::uint32_t subCode;
    std::uint32_t result;
    std::vector<TCoreErrorText> texts;
    bool stops;
    bool answer;
};

const std::string kStreamsAdvice =
    "If the video stream have failled look if you dont have any open MediaPlayer Window.\n"
    "Event if it's only a explorer windows containing DivX file it can be \n"
    "enough for the DirectShow function to failled\n"
    "It is better if you close all explorer window containing video media file\n"
    "during execution of this program.";
const std::string kDirectDrawAdvice = "Try to quit any directdraw application while running this program";

const ErrorCase kErrorCases[] = {
    {0, 0, 0, {{"This is a test", 2}}, false, true},
    {1, 0, 0x80040216, {{"An object or name was not found.", 0}}, true, false},
    {2, 0, 0x80004005, {{"Unspecified error.", 1}}, true, false},
    {2, 0, 0x12345678, {{"Unknown error 0x12345678.", 1}}, true, false},
    {3, 2, 0, {{"No valid DVD-Video volume could be located", 1}}, true, false},
    {3, 1, 0, {{"The format of the disk in DVD-Rom drive is invalid", 1}}, true, false},
    {3, 3, 0, {}, true, false},
    {4,
     3,
     5,
     {{" ", 2},
      {"Number of failled stream : 3", 2},
      {"Video stream failled", 2},
      {"Subpicture stream failled", 2},
      {kStreamsAdvice, 3}},
     false,
     true},
    {4,
     0xFFFFFFFF,
     2,
     {{" ", 2}, {"Number of failled stream : -1", 2}, {"Audio stream failled", 2}, {kStreamsAdvice, 3}},
     false,
     true},
    {5, 0, 0, {{"Close caption rendering impossible", 2}}, false, true},
    {6, 0, 0, {}, false, true},
    {7, 0, 0, {{"DirectShow DVD software not installed properly.", 0}}, true, false},
    {8,
     1,
     0,
     {{"An unexpected error (possibly incorrectly authored content)\nwas encountered.\nCan't playback this "
       "DVD-Video "
       "disc.",
       0}},
     true,
     false},
    {8, 2, 0, {{"This DVD-Video disc cannot be played on this system.", 0}}, true, false},
    {8,
     3,
     0,
     {{"This DVD-Video disc is incorrectly authored for v1.0  of the spec.\nCan't playback this disc.", 0}},
     true,
     false},
    {8,
     4,
     0,
     {{"This DVD-Video disc is not authored to be played in the current system region.\nChanging the system "
       "region may fix the region mismatch.",
       0}},
     true,
     false},
    {8,
     5,
     0,
     {{"Player parental level is set lower than the lowest parental\nlevel available in this DVD-Video "
       "content.\nCannot playback this DVD-Video disc.",
       0}},
     true,
     false},
    {8, 6, 0, {{"This DVD-Video disc cannot be played on this system.", 0}}, true, false},
    {8,
     7,
     0,
     {{"No DVD-Video disc can be played on this system, because \nthe system region does not match the "
       "decoder "
       "region.\nPlease contact the manufacturer of this system.",
       0}},
     true,
     false},
    {8,
     8,
     0,
     {{"This DVD-Video disc cannot be played on this system, because it is\nnot authored to be played in the "
       "installed decoder's region.",
       0}},
     true,
     false},
    {8, 9, 0, {}, true, false},
    {9, 1, 0, {{"Error Creating DirectDraw Surface", 0}, {kDirectDrawAdvice, 0}}, false, false},
    {9, 2, 0, {{"Unable to set DirectDraw coop mode", 0}, {kDirectDrawAdvice, 0}}, false, false},
    {9, 3, 0, {{"Unable to create the surface", 0}, {kDirectDrawAdvice, 0}}, false, false},
    {9, 4, 0, {{"Unable to create the DirectDraw Clipper", 0}, {kDirectDrawAdvice, 0}}, false, false},
    {9, 5, 0, {{"Unable to create the Back Surface", 0}, {kDirectDrawAdvice, 0}}, false, false},
    {9, 7, 0, {{kDirectDrawAdvice, 0}}, false, false},
    {10, 0, 0, {{"DVD-Video playback graph hasn't been built yet", 2}}, false, false},
    {11, 0, 0x80040265, {{"Cannot play the file: the format is not supported.", 1}}, true, false},
    {11, 0, 0x00040242, {{"Some streams in this movie are in an unsupported format. ", 1}}, false, true},
    {11,
     0,
     0x00040257,
     {{"Cannot play the video stream: could not find a suitable renderer.", 1}},
     true,
     false},
    {11, 0, 0x80040241, {{"The source filter for this file could not be loaded.", 1}}, true, false},
    {11, 0, 0x80040216, {{"An object or name was not found.", 1}}, true, false},
    {11, 0, 0x8004022F, {{"The file format is invalid", 1}}, true, false},
    {11, 0, 0x80040240, {{"The media type of this file is not recognized.", 1}}, true, false},
    {11, 0, 0x80004005, {{"Unable to playback file.", 1}}, true, false},
    {12,
     0,
     0,
     {{"Some DirectX 8 interfaces failled to load,\nMake sure you have DirectX 8 or more installed", 1}},
     true,
     false},
    {13, 0, 0, {{"File Not Found", 2}}, false, true},
    {14,
     0,
     0,
     {{"Unable to access the overlay surface.\n\nPlease make sure that no other program\nis using it", 0}},
     true,
     false},
    {15, 0, 0, {}, false, true},
    {0xFFFFFFFF, 0, 0, {}, false, true},
};

TEST_F(TCorePlayerNotifyTest, ErrorsSendTheirTextsStopPlaybackAndAnswerTheEngine) {
    for (const ErrorCase& c : kErrorCases) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << c.kind << " sub-code " << c.subCode << " result " << c.result);
        Play();
        client_.records.clear();
        EXPECT_EQ(player_.EngineError(c.kind, c.subCode, c.result), c.answer);
        std::vector<Bytes> expected;
        for (const TCoreErrorText& text : c.texts) {
            expected.push_back(TextRecord(text.text, text.severity));
        }
        EXPECT_EQ(client_.records, expected);
        EXPECT_EQ(player_.Clock()->IsCounting(), !c.stops);
    }
}

TEST(TCoreMessageBuilderTest, TextsLongerThanTheRecordAreCutAtACharacterBoundary) {
    const std::string text = std::string(2046, 'a') + "\xC3\xA9" + "tail"; // é would end past the terminator
    const Bytes expected = TextRecord(std::string(2046, 'a'), 1);
    const auto record = TCoreMessageBuilder::Text(text, 1);
    EXPECT_EQ(
        Bytes(reinterpret_cast<const std::byte*>(&record), reinterpret_cast<const std::byte*>(&record + 1)),
        expected);
}

TEST_F(TCorePlayerNotifyTest, StatusChangesAreSentWithTheComputedPlayState) {
    struct Case {
        std::uint32_t kind;
        std::uint32_t value1;
        std::uint32_t value2;
        std::uint32_t sent1;
    };
    const Case cases[] = {
        {kStatusUserOperations, 0x1FFFF, 0, 0x1FFFF},
        {kStatusDrive, 3, 0, 3},
        {kStatusAudioStream, 2, 1, 2},
        {kStatusSubpicture, 2, 0x10004, 2},
        {kStatusAngle, 0, 2, 0},
        {kStatusConfiguration, 0x15, 0, 0x15},
        {kStatusEndOfMedia, 0, 0, 0},
        {kStatusGraphBuilt, 0, 0, 0},
        {kStatusDomainChanged, 0, 0, 0},
        {kStatusPlayState, 9, 0, kPlayStateStopped}, // the player's state, not the engine's value
        {kStatusFrameStepped, 0, 0, 0},
        {1, 7, 8, 7}, // kinds outside the table go out unchanged too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        client_.records.clear();
        player_.EngineState(c.kind, c.value1, c.value2);
        EXPECT_EQ(client_.records, std::vector<Bytes>{StatusRecord(c.kind, c.sent1, c.value2)});
    }
}

TEST_F(TCorePlayerNotifyTest, PlayStateStatusStopsTheClockAndForgetsTheLastClockTime) {
    Play();
    player_.ClockReport(1230);
    ASSERT_EQ(player_.LastClockTime(), 1230);
    player_.EngineState(kStatusPlayState, kPlayStatePlaying, 0);
    EXPECT_FALSE(player_.Clock()->IsCounting());
    EXPECT_EQ(player_.LastClockTime(), -1);
}

TEST_F(TCorePlayerNotifyTest, ConfigurationStatusRecordsHowTheVideoIsShown) {
    struct Case {
        std::uint32_t configuration;
        bool overlayUsed;
        bool windowless;
    };
    const Case cases[] = {
        {kConfigVideoWindow | kConfigWindowless, false, true},
        {kConfigVideoWindow, false, false},
        {kConfigVideoWindow | kConfigOverlayMixer | kConfigDvd, true, false},
        {kConfigSampleGrabber, true, false},
    };
    for (const Case& c : cases) {
        player_.EngineState(kStatusConfiguration, c.configuration, 0);
        EXPECT_EQ(player_.OverlayUsed(), c.overlayUsed) << c.configuration;
        EXPECT_EQ(player_.Windowless(), c.windowless) << c.configuration;
    }
}

TEST(TEventTimeTest, TimeCodesBecomeMillisecondsWithTheirFrameRate) {
    struct Case {
        std::uint32_t value;
        std::uint32_t form;
        TEventTime time;
    };
    constexpr std::uint32_t k1h2m3s12f = 0x0C030201;
    const Case cases[] = {
        {k1h2m3s12f, 1, {3723480, 25}},
        {k1h2m3s12f, 4, {3723400, 30}}, // 12 × 33.3667 = 400.4, cut
        {k1h2m3s12f, 2, {3723400, 30}}, // 12 frames at 30 per second are 400 ms, not 399
        {k1h2m3s12f, 8, {3723400, 30}},
        {k1h2m3s12f, 0, {k1h2m3s12f, 0}},
        {0xFFFFFFFF, 1, {(((255 * 60) + 255) * 60 + 255) * 1000u + 255 * 40, 25}},
        {0, 4, {0, 30}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TEventTime::FromEngine(c.value, c.form), c.time) << std::hex << c.value << " " << c.form;
    }
}

TEST_F(TCorePlayerNotifyTest, EventsArePostedAndTheTimeEventSetsTheClock) {
    struct Case {
        std::uint32_t code;
        std::uint32_t value1;
        std::uint32_t value2;
        std::optional<ClientWindow::Posted> posted;
    };
    const Case cases[] = {
        {2, 0x0C030201, 1, ClientWindow::Posted{1525, 3723480, 25}},
        {2, 65432, 0, ClientWindow::Posted{1525, 65432, 0}},
        {8, 0x89ABCDEF, 0x01234567, ClientWindow::Posted{1526, 0x89ABCDEF, 0x01234567}},
        {3, 5400000, 0, ClientWindow::Posted{1527, 5400000, 0}},
        {4, 3, 2, ClientWindow::Posted{1528, 3, 2}},
        {0, 5, 0, ClientWindow::Posted{1530, 0, 5}},
        {1, 12, 0, ClientWindow::Posted{1530, 1, 12}},
        {5, 1, 1, std::nullopt},
        {6, 1, 1, std::nullopt},
        {7, 1, 1, std::nullopt},
        {9, 1, 1, std::nullopt},
        {0xFFFFFFFF, 1, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        client_.posted.clear();
        player_.EngineEvent(c.code, c.value1, c.value2);
        ClientWindow::Deliver();
        EXPECT_EQ(client_.posted, c.posted ? std::vector{*c.posted} : std::vector<ClientWindow::Posted>{});
        if (c.code == TCorePlayer::kEngineEventTime) {
            EXPECT_EQ(player_.Clock()->GetTime(), static_cast<std::int32_t>(c.posted->wParam));
        }
    }
    EXPECT_TRUE(client_.records.empty());
}

TEST_F(TCorePlayerNotifyTest, StreamInformationCarriesTheCountsAndAtMost8And32Entries) {
    TDvdTitleAttributes title;
    title.audioCount = 9;
    for (std::uint32_t i = 0; i < title.audio.size(); ++i) {
        title.audio[i] = {0x409 + i,           i % 2 == 1,     48000 + i, std::uint8_t(16 + i),
                          std::uint8_t(2 + i), std::uint8_t(i)};
    }
    title.subpictureCount = 33;
    for (std::uint32_t i = 0; i < title.subpicture.size(); ++i) {
        title.subpicture[i] = {std::uint8_t(i), std::uint8_t(i + 1), 0x40C + i, std::uint8_t(i + 2)};
    }
    Bytes expected = WithHead(544, 1634);
    PutU32(expected, 20, 9);
    for (std::uint32_t i = 0; i < 8; ++i) {
        const std::size_t at = 24 + 16 * i;
        PutU32(expected, at, 0x409 + i);
        PutU32(expected, at + 4, i % 2);
        PutU32(expected, at + 8, 48000 + i);
        expected[at + 12] = std::byte(16 + i);
        expected[at + 13] = std::byte(2 + i);
        expected[at + 14] = std::byte(i);
    }
    PutU32(expected, 152, 33);
    for (std::uint32_t i = 0; i < 32; ++i) {
        const std::size_t at = 156 + 12 * i;
        expected[at] = std::byte(i);
        expected[at + 1] = std::byte(i + 1);
        PutU32(expected, at + 4, 0x40C + i);
        expected[at + 8] = std::byte(i + 2);
    }
    player_.SendStreamInformation(title);
    EXPECT_EQ(client_.records, std::vector<Bytes>{expected});

    TDvdTitleAttributes small;
    small.audioCount = 1;
    small.audio[0] = {0x407, true, 96000, 24, 6, 3};
    small.audio[1] = {0x409, true, 48000, 16, 2, 1}; // beyond the count: not sent
    Bytes smallExpected = WithHead(544, 1634);
    PutU32(smallExpected, 20, 1);
    PutU32(smallExpected, 24, 0x407);
    PutU32(smallExpected, 28, 1);
    PutU32(smallExpected, 32, 96000);
    smallExpected[36] = std::byte{24};
    smallExpected[37] = std::byte{6};
    smallExpected[38] = std::byte{3};
    client_.records.clear();
    player_.SendStreamInformation(small);
    EXPECT_EQ(client_.records, std::vector<Bytes>{smallExpected});
}

TEST_F(TCorePlayerNotifyTest, MaskBitsRouteEachNotificationToItsClients) {
    const std::uint32_t masks[] = {0x001, 0x002, 0x004, 0x3F8, 0x200};
    std::vector<std::unique_ptr<ClientWindow>> clients;
    for (const std::uint32_t mask : masks) {
        clients.push_back(std::make_unique<ClientWindow>());
        player_.RegisterClient(clients.back()->hwnd(), clients.back()->hwnd(), mask);
    }
    player_.EngineError(TCoreErrorTexts::kTest, 0, 0);
    player_.EngineState(kStatusDrive, 4, 0);
    player_.SendStreamInformation({});
    player_.EngineEvent(TCorePlayer::kEngineEventDuration, 1000, 0);
    ClientWindow::Deliver();

    const auto kinds = [](const ClientWindow& c) {
        std::vector<std::uint32_t> found;
        for (const Bytes& record : c.records) {
            std::uint32_t kind;
            std::memcpy(&kind, record.data() + 8, sizeof(kind));
            found.push_back(kind);
        }
        return found;
    };
    using Kinds = std::vector<std::uint32_t>;
    EXPECT_EQ(kinds(*clients[0]), Kinds{1225});
    EXPECT_EQ(kinds(*clients[1]), Kinds{});
    EXPECT_EQ(clients[1]->posted.size(), 1u);
    EXPECT_EQ(kinds(*clients[2]), (Kinds{1629, 1634}));
    for (const std::size_t none : {3u, 4u}) {
        EXPECT_TRUE(clients[none]->records.empty() && clients[none]->posted.empty()) << masks[none];
    }
    EXPECT_EQ(kinds(client_), (Kinds{1225, 1629, 1634}));
    EXPECT_EQ(client_.posted.size(), 1u);

    ASSERT_EQ(player_.Clients().Clients().size(), 6u);
    EXPECT_EQ(player_.Clients().Clients()[0].flags, 0x11F); // bit 9 of the host's 0x31F is not kept
    EXPECT_EQ(player_.Clients().Clients()[4].flags, 0x1F8);
}

TEST_F(TCorePlayerNotifyTest, NothingIsNotifiedOnceThePlayerCloses) {
    player_.ClockReport(500);
    player_.Close();
    EXPECT_EQ(player_.Clock(), nullptr);
    EXPECT_FALSE(player_.EngineError(TCoreErrorTexts::kFilePlayback, 0, 0x80004005));
    EXPECT_TRUE(player_.EngineError(TCoreErrorTexts::kTest, 0, 0));
    player_.EngineState(kStatusGraphBuilt, 0, 0);
    player_.EngineState(kStatusPlayState, 2, 0);
    player_.SendStreamInformation({});
    for (const std::uint32_t code : {0u, 1u, 2u, 3u, 4u, 8u}) {
        player_.EngineEvent(code, 1, 0);
    }
    EXPECT_FALSE(player_.ClockReport(1000));
    ClientWindow::Deliver();
    EXPECT_TRUE(client_.records.empty());
    EXPECT_TRUE(client_.posted.empty());
    EXPECT_EQ(player_.LastClockTime(), 500);
}

} // namespace
