#include "plugins/remote/orvik/IrReceiver.h"

#include "plugins/remote/orvik/IrCode.h"
#include "plugins/remote/orvik/LibraryPin.h"
#include "plugins/remote/orvik/ReaderSession.h"

#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace orvik {

namespace {

// The lowest of the ordinary thread priorities: a few steps below the process, not the idle level, so
// that a stop wakes the reader at once even on a busy machine.
constexpr int ReaderNice = 5;

} // namespace

IrReceiver::IrReceiver(std::shared_ptr<PluginMessages> messages, std::shared_ptr<HostCallbackSlot> host,
                       SleepClock& clock, ModemLinesFactory lines)
    : Messages(std::move(messages)), Host(std::move(host)), Clock(clock), Lines(std::move(lines)) {}

IrReceiver::~IrReceiver() {
    StopIrReceiver();
}

bool IrReceiver::OpenIrReceiver(const std::string& device) {
    StopIrReceiver();
    auto session = std::make_shared<ReaderSession>(Messages, Host);
    if (!session->Stop.IsValid()) {
        Messages->ShowSystemError(errno);
        return false;
    }
    if (!PreparePort(*session, device)) {
        return false;
    }
    PowerCycle(*session);
    if (!Handshake(*session)) {
        Unpower(*session);
        return false;
    }
    Session = session;
    Reader = std::thread(&IrReceiver::IrReceiverThread, std::move(session));
    return true;
}

bool IrReceiver::PreparePort(ReaderSession& session, const std::string& device) {
    int error = session.Port.Open(device);
    if (error != 0) {
        Messages->ShowSystemError(error);
        return false;
    }
    session.Lines = Lines(session.Port.Descriptor());
    error = session.Port.ReadSettings();
    if (error == 0) {
        error = session.Port.ApplyRaw(B9600);
    }
    if (error != 0) {
        Messages->ShowSystemError(error);
        Unpower(session);
        return false;
    }
    return true;
}

void IrReceiver::PowerCycle(ReaderSession& session) {
    // A device without modem lines (a pseudo-terminal, some adapters) refuses them and powers the
    // receiver itself; the handshake tells whether a receiver answers.
    session.Lines->Set(plat::serial::ModemLine::Dtr, false);
    session.Lines->Set(plat::serial::ModemLine::Rts, false);
    Clock.Sleep(HalfPowerCycleMs);
    session.Lines->Set(plat::serial::ModemLine::Dtr, true);
    session.Lines->Set(plat::serial::ModemLine::Rts, true);
    Clock.Sleep(HalfPowerCycleMs);
}

bool IrReceiver::Handshake(ReaderSession& session) {
    if (const int error = session.Port.Purge(); error != 0) {
        Messages->ShowSystemError(error);
        session.Port.RestoreSettings();
        return false;
    }
    Clock.Sleep(WritePauseMs);
    session.WriteSerialByte('I');
    Clock.Sleep(AfterByteMs);
    Clock.Sleep(WritePauseMs);
    session.WriteSerialByte('R');
    Clock.Sleep(AfterByteMs);
    Clock.Sleep(AnswerWaitMs);
    std::uint8_t answer[2] = {};
    if (session.ReadSerial(2, answer, false) != 2 || answer[0] != 'O' || answer[1] != 'K') {
        Messages->ShowMessage(PluginMessages::NoAnswer);
        session.Port.RestoreSettings();
        return false;
    }
    return true;
}

void IrReceiver::Unpower(ReaderSession& session) {
    session.Lines->Set(plat::serial::ModemLine::Dtr, false);
    session.Lines->Set(plat::serial::ModemLine::Rts, false);
    session.Port.Close();
}

void IrReceiver::StopIrReceiver() {
    if (Session == nullptr) {
        return;
    }
    if (Session->StopReader(CallbackGrace)) {
        Reader.join();
    } else {
        Reader.detach();
        PinOwnLibrary();
    }
    Session->Port.Close();
    Session.reset();
}

void IrReceiver::IrReceiverThread(std::shared_ptr<ReaderSession> session) {
    // Raising the thread's own nice value never needs privileges.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), ReaderNice);
    ReadCodes(*session);
    session->MarkExited();
}

void IrReceiver::ReadCodes(ReaderSession& session) {
    std::uint8_t bytes[IrCode::Size] = {};
    while (session.ContinueReading()) {
        bool hungUp = false;
        if (session.ReadSerial(IrCode::Size, bytes, true, &hungUp) != static_cast<long>(IrCode::Size)) {
            if (hungUp) {
                return;
            }
            continue;
        }
        const IrCode code(bytes);
        if (const int error = session.Port.Purge(); error != 0) {
            session.Messages->ShowSystemError(error);
        }
        if (!session.Host->IsSet()) {
            continue;
        }
        if (!session.EnterCallback()) {
            return;
        }
        session.Host->Send(code.CommandText());
        if (!session.LeaveCallback()) {
            return;
        }
    }
}

} // namespace orvik
