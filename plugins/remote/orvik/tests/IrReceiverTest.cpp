#include "plugins/remote/orvik/IrReceiver.h"

#include "platform/serial/SerialPort.h"
#include "platform/serial/SystemErrorText.h"
#include "plugins/remote/orvik/tests/FakeIrman.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>

namespace orvik {
namespace {

using namespace std::chrono_literals;
using testing::FakeIrman;
using testing::FakeModemLines;
using testing::ManualClock;
using testing::RecordingMessages;
using Bytes = std::vector<std::uint8_t>;

constexpr auto FailureLimit = 5s;

// The player's side of the callback: records the command texts; a test may hold calls at a gate.
class RecordingHost {
public:
    static int32_t Callback(void* context, const char16_t* text, int32_t length, int32_t* consumed,
                            char16_t* answer, int32_t* answerSize) {
        auto& host = *static_cast<RecordingHost*>(context);
        std::unique_lock lock(host.Mutex);
        host.Texts.emplace_back(text, text + length);
        host.NoAnswerAsked =
            host.NoAnswerAsked && consumed == nullptr && answer == nullptr && answerSize == nullptr;
        host.Changed.notify_all();
        host.Changed.wait(lock, [&] { return !host.Gated; });
        return 1;
    }

    bool AwaitCount(std::size_t count) {
        std::unique_lock lock(Mutex);
        return Changed.wait_for(lock, FailureLimit, [&] { return Texts.size() >= count; });
    }
    void Open() {
        const std::lock_guard lock(Mutex);
        Gated = false;
        Changed.notify_all();
    }
    std::vector<std::u16string> Received() {
        const std::lock_guard lock(Mutex);
        return Texts;
    }

    bool Gated = false;
    bool NoAnswerAsked = true;

private:
    std::mutex Mutex;
    std::condition_variable Changed;
    std::vector<std::u16string> Texts;
};

class IrReceiverTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Device.Terminal.IsValid()) {
            GTEST_SKIP() << "this system gives no pseudo-terminals";
        }
        Host->Set(&Player, &RecordingHost::Callback);
    }

    std::unique_ptr<IrReceiver> MakeReceiver() {
        return std::make_unique<IrReceiver>(Messages, Host, Clock,
                                            [this](int) { return std::make_unique<FakeModemLines>(Device); });
    }
    // True when nothing holds the port any more.
    bool PortIsFree() {
        plat::serial::SerialPort probe;
        return probe.Open(Device.Terminal.SlavePath()) == 0;
    }

    ManualClock Clock;
    FakeIrman Device{Clock};
    std::shared_ptr<RecordingMessages> Messages = std::make_shared<RecordingMessages>();
    std::shared_ptr<HostCallbackSlot> Host = std::make_shared<HostCallbackSlot>();
    RecordingHost Player;
    std::unique_ptr<IrReceiver> Receiver = MakeReceiver();
};

TEST_F(IrReceiverTest, OpeningPowerCyclesTheReceiverThenShakesHands) {
    ASSERT_TRUE(Receiver->OpenIrReceiver(Device.Terminal.SlavePath()));
    EXPECT_TRUE(Receiver->IsRunning());
    const std::vector<std::string> expected = {"DTR off@0",  "RTS off@0", "DTR on@250",
                                               "RTS on@250", "I@512",     "R@524"};
    EXPECT_EQ(expected, Device.Log);
    EXPECT_EQ(624u, Clock.Now) << "the answer is read 100 ms after the last byte";
    EXPECT_TRUE(Messages->Shown().empty());
    EXPECT_FALSE(PortIsFree()) << "the port is held while the reader runs";
}

TEST_F(IrReceiverTest, CodesBecomeCommandTexts) {
    const struct {
        Bytes Code;
        std::u16string Text;
    } cases[] = {
        {{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}, u"cmd.ir(\"IRM49521234-56789ABC\")"},
        {{0, 0, 0, 0, 0, 0}, u"cmd.ir(\"IRM49520000-0\")"},
        {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, u"cmd.ir(\"IRM4952FFFF-FFFFFFFF\")"},
        {{0x00, 0x01, 0x00, 0x00, 0x00, 0x0A}, u"cmd.ir(\"IRM49520001-A\")"},
    };
    ASSERT_TRUE(Receiver->OpenIrReceiver(Device.Terminal.SlavePath()));
    std::size_t count = 0;
    for (const auto& c : cases) {
        // The reader empties the port after each code, so the next press waits for the command.
        ASSERT_TRUE(Device.Press(c.Code));
        ASSERT_TRUE(Player.AwaitCount(++count));
        EXPECT_EQ(c.Text, Player.Received().back());
    }
    EXPECT_TRUE(Player.NoAnswerAsked);
}

TEST_F(IrReceiverTest, AReceiverThatDoesNotSayOkIsReportedAndLeftUnpowered) {
    for (const char* answer : {"", "NO", "O", "ok"}) {
        SCOPED_TRACE(answer);
        ManualClock clock;
        FakeIrman device(clock);
        device.Answer = answer;
        auto messages = std::make_shared<RecordingMessages>();
        IrReceiver receiver(messages, Host, clock,
                            [&](int) { return std::make_unique<FakeModemLines>(device); });
        EXPECT_FALSE(receiver.OpenIrReceiver(device.Terminal.SlavePath()));
        EXPECT_FALSE(receiver.IsRunning());
        EXPECT_EQ(std::vector<std::string>{PluginMessages::NoAnswer}, messages->Shown());
        EXPECT_EQ(624u, clock.Now);
        ASSERT_GE(device.Log.size(), 2u);
        EXPECT_EQ("DTR off@624", device.Log[device.Log.size() - 2]);
        EXPECT_EQ("RTS off@624", device.Log.back());
        plat::serial::SerialPort probe;
        EXPECT_EQ(0, probe.Open(device.Terminal.SlavePath())) << "the port is closed";
    }
}

TEST_F(IrReceiverTest, APortHeldElsewhereIsRefusedWithTheSystemsText) {
    plat::serial::SerialPort other;
    ASSERT_EQ(0, other.Open(Device.Terminal.SlavePath()));
    EXPECT_FALSE(Receiver->OpenIrReceiver(Device.Terminal.SlavePath()));
    EXPECT_EQ(std::vector<std::string>{plat::serial::SystemErrorText(EBUSY)}, Messages->Shown());
    EXPECT_TRUE(Device.Log.empty()) << "no power cycle on a port not opened";
}

TEST_F(IrReceiverTest, AMissingPortIsRefusedWithTheSystemsText) {
    EXPECT_FALSE(Receiver->OpenIrReceiver("/dev/ttyS-missing"));
    EXPECT_EQ(std::vector<std::string>{plat::serial::SystemErrorText(ENOENT)}, Messages->Shown());
}

TEST_F(IrReceiverTest, StoppingAnIdleReaderTakesUnderTenMilliseconds) {
    // The median of a few stops, so that one late wake-up on a busy machine does not decide.
    std::vector<std::chrono::steady_clock::duration> took;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(Receiver->OpenIrReceiver(Device.Terminal.SlavePath()));
        const auto start = std::chrono::steady_clock::now();
        Receiver->StopIrReceiver();
        took.push_back(std::chrono::steady_clock::now() - start);
        EXPECT_FALSE(Receiver->IsRunning());
        EXPECT_TRUE(PortIsFree());
    }
    std::sort(took.begin(), took.end());
    EXPECT_LT(took[took.size() / 2], 10ms * TOVRIN_TEST_SLOWDOWN);
}

TEST_F(IrReceiverTest, StoppingWithoutAStartReturnsAtOnce) {
    Receiver->StopIrReceiver();
    EXPECT_FALSE(Receiver->IsRunning());
    EXPECT_TRUE(Messages->Shown().empty());
}

TEST_F(IrReceiverTest, StopReturnsWhileTheReaderIsHeldInTheCallbackAndTheReaderEndsWhenReleased) {
    std::promise<void> readerGone;
    Messages->OnDestroyed = [&] { readerGone.set_value(); };
    Player.Gated = true;
    ASSERT_TRUE(Receiver->OpenIrReceiver(Device.Terminal.SlavePath()));
    ASSERT_TRUE(Device.Press({1, 2, 3, 4, 5, 6}));
    ASSERT_TRUE(Player.AwaitCount(1));

    Receiver->StopIrReceiver();
    EXPECT_FALSE(Receiver->IsRunning());
    EXPECT_TRUE(PortIsFree()) << "the held reader keeps no port";
    ASSERT_TRUE(Receiver->OpenIrReceiver(Device.Terminal.SlavePath())) << "a new reader may take the port";
    Receiver->StopIrReceiver();

    // Only the held reader still owns the messages: they go when it ends.
    Receiver.reset();
    auto gone = readerGone.get_future();
    Messages.reset();
    EXPECT_EQ(std::future_status::timeout, gone.wait_for(0s)) << "the reader is still in the callback";
    Player.Open();
    EXPECT_EQ(std::future_status::ready, gone.wait_for(FailureLimit));
    EXPECT_EQ(1u, Player.Received().size());
}

TEST_F(IrReceiverTest, OpeningAgainReplacesTheReaderInsteadOfAddingOne) {
    ASSERT_TRUE(Receiver->OpenIrReceiver(Device.Terminal.SlavePath()));
    ASSERT_TRUE(Receiver->OpenIrReceiver(Device.Terminal.SlavePath()));
    ASSERT_TRUE(Device.Press({0, 0, 0, 0, 0, 7}));
    ASSERT_TRUE(Player.AwaitCount(1));
    Receiver->StopIrReceiver();
    EXPECT_EQ(1u, Player.Received().size()) << "one reader, one command";
}

TEST_F(IrReceiverTest, AnUnpluggedDeviceIsReportedOnceAndEndsTheReader) {
    ASSERT_TRUE(Receiver->OpenIrReceiver(Device.Terminal.SlavePath()));
    Device.Terminal.CloseMaster();
    ASSERT_TRUE(Messages->AwaitCount(1));
    Receiver->StopIrReceiver();
    EXPECT_EQ(std::vector<std::string>{plat::serial::SystemErrorText(EIO)}, Messages->Shown());
}

} // namespace
} // namespace orvik
