// Saved states of a media file through the core's orders 250-252: the position goes into the storage
// file and comes back, playback starts when it was stopped, and a stream that is not a whole state
// record moves nothing.
#include "core/include/VokradOrders.h"
#include "core/src/state/TMediaStateRecord.h"
#include "core/tests/engine/EnginePlayer.h"
#include "platform/storage/CompoundFile.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

using plat::storage::CompoundFile;

const std::u16string kRenderFile =
    u"<GRAPH version=\"1.0\"><RENDERFILE Filename=\"##TOVVAR:FileName##\"/></GRAPH>";

class TEngineStatesMediaTest : public testing::Test {
protected:
    void SetUp() override {
        player_.Describe(kRenderFile, EnginePlayer::Fixture("long.mp4"));
        ASSERT_EQ(player_.Send(kOrderPlay), 0) << testing::PrintToString(player_.Texts());
    }
    int State(std::uint32_t order, const std::u16string& name, bool flag = true) {
        auto record = std::make_unique<TOrderDvdState>();
        record->head = {0, sizeof(TOrderDvdState)};
        std::copy(file_.begin(), file_.end(), record->storageFile);
        std::copy(name.begin(), name.end(), record->streamName);
        record->flag = flag ? 1 : 0;
        return player_.Send(order, record.get());
    }
    // Pauses at the time.
    void PauseAt(std::uint8_t seconds) {
        if (player_.PlayState() != kPlayStatePaused) {
            ASSERT_EQ(player_.Send(kOrderPauseToggle), 0);
        }
        TOrderPlayAtTimeInTitle at{{0, sizeof(at)}, 0, 0, {}, static_cast<std::uint32_t>(seconds) << 16};
        ASSERT_EQ(player_.Send(kOrderPlayAtTimeInTitle, &at), 0);
        ASSERT_TRUE(EnginePlayer::PumpUntil([&] { return NearMs(seconds * 1000, 400); }));
    }
    std::uint32_t PositionMs() {
        std::uint32_t ms = 0;
        std::uint32_t flags = 0;
        return player_.Player().Engine()->GetPosition(ms, flags, nullptr) ? ms : 0xFFFFFFFF;
    }
    bool NearMs(std::uint32_t ms, std::uint32_t within) {
        const std::uint32_t at = PositionMs();
        return at != 0xFFFFFFFF && at + within >= ms && at <= ms + within;
    }
    std::string Stream(const std::u16string& name) {
        CompoundFile file;
        EXPECT_TRUE(file.Open(plat::text::WideToAnsi(file_), CompoundFile::Access::Read, false));
        const std::string* bytes = file.Stream(name);
        return bytes != nullptr ? *bytes : std::string();
    }

    EnginePlayer player_;
    std::u16string file_ = EnginePlayer::Wide(player_.Folder() + "/clip.dsi");
};

TEST_F(TEngineStatesMediaTest, AFileSavedAtFourSecondsRestoresNearFourSecondsAndStartsPlaying) {
    PauseAt(4);
    ASSERT_EQ(State(kOrderSaveDvdState, u"Four seconds", false), 0);
    const std::string state = Stream(u"B0001");
    const auto saved = TMediaStateRecord::Decode(
        std::span(reinterpret_cast<const std::uint8_t*>(state.data()), state.size()));
    ASSERT_TRUE(saved.has_value());
    EXPECT_NEAR(static_cast<double>(*saved), 4000.0, 400.0);
    EXPECT_EQ(Stream(u"Info").size(), 7464u);

    ASSERT_EQ(player_.Send(kOrderStop), 0);
    ASSERT_EQ(State(kOrderRestoreDvdState, u"B0001"), 0);
    const std::uint32_t playState = player_.PlayState();
    EXPECT_TRUE(playState == kPlayStatePlaying || playState == kPlayStateFirstPlay) << playState;
    EXPECT_TRUE(EnginePlayer::PumpUntil([&] { return NearMs(*saved, 600); })) << PositionMs();
}

TEST_F(TEngineStatesMediaTest, TheResumeStateGoesToItsOwnStreamAndIsDeleted) {
    PauseAt(2);
    ASSERT_EQ(State(kOrderSaveDvdState, u"SAVEFORRESUME"), 0);
    EXPECT_EQ(Stream(u"Info"), "");
    PauseAt(6);
    ASSERT_EQ(State(kOrderRestoreDvdState, u"saveforresume"), 0);
    EXPECT_TRUE(EnginePlayer::PumpUntil([&] { return NearMs(2000, 600); })) << PositionMs();
    ASSERT_EQ(State(kOrderDeleteDvdState, u"SAVEFORRESUME"), 0);
    EXPECT_EQ(State(kOrderRestoreDvdState, u"SAVEFORRESUME"), -1);
    EXPECT_EQ(State(kOrderDeleteDvdState, u"SAVEFORRESUME"), -1);
}

TEST_F(TEngineStatesMediaTest, AStreamThatIsNotAWholeRecordMovesNothing) {
    PauseAt(5);
    {
        CompoundFile file;
        ASSERT_TRUE(file.Open(plat::text::WideToAnsi(file_), CompoundFile::Access::Update, true));
        const auto whole = TMediaStateRecord::Encode(1000);
        ASSERT_TRUE(file.WriteStream(u"Short", std::string(whole.begin(), whole.begin() + 10)));
        std::string dirty(whole.begin(), whole.end());
        dirty[40] = 'x';
        ASSERT_TRUE(file.WriteStream(u"Dirty", dirty));
    }
    for (const std::u16string name : {u"Short", u"Dirty", u"Missing"}) {
        EXPECT_EQ(State(kOrderRestoreDvdState, name), -1);
        EXPECT_EQ(player_.PlayState(), kPlayStatePaused);
        EXPECT_TRUE(NearMs(5000, 400)) << PositionMs();
    }
}

// The 8-bit forms take UTF-8 names, each cut to 260 characters, and reach the same streams as the wide
// ones: here a file name of exactly 260 characters with three more after it.
TEST_F(TEngineStatesMediaTest, EightBitNamesSaveLoadAndDeleteTheSameStreams) {
    TGraphEngine& engine = *player_.Player().Engine();
    const std::size_t slashes = 260 - std::strlen("clip.dsi") - player_.Folder().size();
    const std::string file = player_.Folder() + std::string(slashes, '/') + "clip.dsi";
    ASSERT_EQ(file.size(), 260u);
    const std::string longFile = file + "zzz";
    const char* const stream = "\xc3\xa9tat"; // "état" in UTF-8
    PauseAt(3);
    ASSERT_TRUE(engine.SaveStateA(longFile.c_str(), stream));
    ASSERT_FALSE(Stream(u"\u00e9tat").empty());

    PauseAt(8);
    ASSERT_TRUE(engine.LoadStateA(longFile.c_str(), stream));
    EXPECT_TRUE(EnginePlayer::PumpUntil([&] { return NearMs(3000, 600); })) << PositionMs();

    ASSERT_TRUE(engine.DeleteStateA(longFile.c_str(), stream));
    EXPECT_TRUE(Stream(u"\u00e9tat").empty());
    EXPECT_FALSE(engine.LoadStateA(longFile.c_str(), stream));
    EXPECT_FALSE(engine.SaveStateA(nullptr, "B0001"));
    EXPECT_FALSE(engine.LoadStateA(longFile.c_str(), nullptr));
    EXPECT_FALSE(engine.DeleteStateA(nullptr, nullptr));
}

} // namespace
