#include "platform/serial/SerialPort.h"
#include "platform/serial/TtyModemLines.h"
#include "platform/serial/tests/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <termios.h>

#include <cerrno>
#include <cstdint>
#include <future>
#include <vector>

namespace plat::serial {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::PseudoTerminal;

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Terminal.IsValid()) {
            GTEST_SKIP() << "this system gives no pseudo-terminals";
        }
        ASSERT_TRUE(Stop.IsValid());
        ASSERT_EQ(0, Port.Open(Terminal.SlavePath()));
    }

    // Waits until the port's side has input, so a read without waiting sees it.
    void AwaitInput() {
        pollfd fd{Port.Descriptor(), POLLIN, 0};
        ASSERT_EQ(1, poll(&fd, 1, 5000));
    }

    PseudoTerminal Terminal;
    StopSignal Stop;
    SerialPort Port;
};

TEST_F(SerialPortTest, ASecondOpenerIsRefusedUntilThePortIsClosed) {
    SerialPort second;
    EXPECT_EQ(EBUSY, second.Open(Terminal.SlavePath()));
    EXPECT_FALSE(second.IsOpen());
    Port.Close();
    EXPECT_EQ(0, second.Open(Terminal.SlavePath()));
}

TEST_F(SerialPortTest, OnlyExistingTerminalsOpen) {
    SerialPort other;
    EXPECT_EQ(ENOTTY, other.Open("/dev/null"));
    EXPECT_EQ(ENOENT, other.Open("/dev/no-such-serial-port"));
    EXPECT_FALSE(other.IsOpen());
}

TEST_F(SerialPortTest, RawSettingsApplyAndTheKeptOnesComeBack) {
    termios before{};
    ASSERT_EQ(0, tcgetattr(Port.Descriptor(), &before));
    ASSERT_EQ(0, Port.ReadSettings());
    ASSERT_EQ(0, Port.ApplyRaw(B9600));
    termios raw{};
    ASSERT_EQ(0, tcgetattr(Port.Descriptor(), &raw));
    EXPECT_EQ(B9600, cfgetispeed(&raw));
    EXPECT_EQ(B9600, cfgetospeed(&raw));
    EXPECT_EQ(static_cast<tcflag_t>(CS8), raw.c_cflag & CSIZE);
    EXPECT_EQ(0u, raw.c_cflag & (PARENB | CSTOPB | CRTSCTS));
    EXPECT_EQ(static_cast<tcflag_t>(CLOCAL | CREAD), raw.c_cflag & (CLOCAL | CREAD));
    EXPECT_EQ(0u, raw.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_EQ(0u, raw.c_iflag & (IXON | IXOFF | ICRNL));
    EXPECT_EQ(0u, raw.c_oflag & OPOST);
    ASSERT_EQ(0, Port.RestoreSettings());
    termios after{};
    ASSERT_EQ(0, tcgetattr(Port.Descriptor(), &after));
    EXPECT_EQ(before.c_lflag, after.c_lflag);
    EXPECT_EQ(before.c_iflag, after.c_iflag);
    EXPECT_EQ(before.c_oflag, after.c_oflag);
}

TEST_F(SerialPortTest, RestoringWithoutKeptSettingsIsRefused) {
    EXPECT_EQ(EINVAL, Port.RestoreSettings());
}

TEST_F(SerialPortTest, BytesTravelBothWays) {
    ASSERT_EQ(0, Port.ApplyRaw(B9600));
    const Bytes sent = {'I', 'R', 0x00, 0xFF, '\r', '\n'};
    ASSERT_EQ(0, Port.Write(sent.data(), sent.size(), Stop));
    EXPECT_EQ(sent, Terminal.Receive(sent.size()));

    std::uint8_t buffer[8] = {};
    EXPECT_EQ(0, Port.Read(buffer, 2, false, Stop)) << "nothing has come yet";
    ASSERT_TRUE(Terminal.Send({'O', 'K', '!'}));
    AwaitInput();
    ASSERT_EQ(2, Port.Read(buffer, 2, false, Stop));
    EXPECT_EQ('O', buffer[0]);
    EXPECT_EQ('K', buffer[1]);
    EXPECT_EQ(1, Port.Read(buffer, 2, false, Stop)) << "a read without waiting takes what there is";
}

TEST_F(SerialPortTest, AWaitingReadGathersTheWholeCount) {
    ASSERT_EQ(0, Port.ApplyRaw(B9600));
    std::uint8_t buffer[6] = {};
    auto reader = std::async(std::launch::async, [&] { return Port.Read(buffer, 6, true, Stop); });
    ASSERT_TRUE(Terminal.Send({1, 2, 3}));
    ASSERT_TRUE(Terminal.Send({4, 5, 6}));
    ASSERT_EQ(6, reader.get());
    EXPECT_EQ(Bytes({1, 2, 3, 4, 5, 6}), Bytes(buffer, buffer + 6));
}

TEST_F(SerialPortTest, AStopEndsAWaitingRead) {
    ASSERT_EQ(0, Port.ApplyRaw(B9600));
    std::uint8_t buffer[6] = {};
    auto reader = std::async(std::launch::async, [&] { return Port.Read(buffer, 6, true, Stop); });
    Stop.Set();
    EXPECT_EQ(SerialPort::Stopped, reader.get());
    Stop.Clear();
    EXPECT_FALSE(Stop.IsSet());
    ASSERT_TRUE(Terminal.Send({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(6, Port.Read(buffer, 6, true, Stop)) << "a cleared signal no longer stops";
}

TEST_F(SerialPortTest, AHungUpLineEndsAWaitingReadWithAnError) {
    ASSERT_EQ(0, Port.ApplyRaw(B9600));
    std::uint8_t buffer[6] = {};
    Terminal.CloseMaster();
    EXPECT_EQ(-EIO, Port.Read(buffer, 6, true, Stop));
}

TEST_F(SerialPortTest, PurgeDropsWaitingInput) {
    ASSERT_EQ(0, Port.ApplyRaw(B9600));
    ASSERT_TRUE(Terminal.Send({1, 2, 3}));
    AwaitInput();
    ASSERT_EQ(0, Port.Purge());
    std::uint8_t buffer[3] = {};
    EXPECT_EQ(0, Port.Read(buffer, 3, false, Stop));
}

TEST_F(SerialPortTest, PseudoTerminalsRefuseModemLines) {
    TtyModemLines lines(Port.Descriptor());
    EXPECT_NE(0, lines.Set(ModemLine::Dtr, true));
    EXPECT_NE(0, lines.Set(ModemLine::Rts, false));
}

} // namespace
} // namespace plat::serial
