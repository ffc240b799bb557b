// Sending a 20,000-event language to the core: the profile subtitle sender rebuilds the language's
// page (one title over one script), serialises it and hands the styles and the page to a player of
// the core (orders 504, 503 and 502), which checks the page, copies it in and lays every event out.
// The sender's own part is measured too, with a hub that holds no player (the orders go nowhere).
// Against reading the same script with the SubStation reader alone, in the same run.
#include "PeerRatioReporter.h"

#include "core/src/TCorePlayer.h"
#include "platform/text/CodePage.h"
#include "player/model/binding/PlayerGlobals.h"
#include "player/model/profiles/TProfileSubtitles.h"
#include "player/model/profiles/tests/ProfileArchiveFixture.h"
#include "player/model/tests/TCorePlayerBinding.h"
#include "subtitles/scripts/TScriptControl.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

constexpr int kEvents = 20000;

std::vector<TFixtureEvent> Dialogue() {
    std::vector<TFixtureEvent> events;
    events.reserve(kEvents);
    for (int i = 0; i < kEvents; ++i) {
        events.push_back(
            {i * 1000, i * 1000 + 800, "Line " + std::to_string(i) + " of the dialogue\\Nand its answer"});
    }
    return events;
}

// A profile of one language over the script, opened by two senders: one on a player of the core, one
// on a hub without a player.
class BenchSender {
public:
    BenchSender() {
        player_.PlayStart();
        CreatePlayerGlobals(std::make_unique<TCorePlayerBinding>(player_));
        hub_.CreateInstance(0);
        const std::string path = folder_.filePath("bench.zds").toStdString();
        const std::u16string profile = plat::text::AnsiToWide(path);
        ready_ = WriteFixtureProfile(path, {{"Disc", 0, 0, false, {{"English", Dialogue(), {{1, 0}}}}}}) &&
                 sender_.Open(profile) == 0 && alone_.Open(profile) == 0;
    }
    ~BenchSender() {
        alone_.Close(true);
        sender_.Close(true);
        hub_.FreeInstance();
        DestroyPlayerGlobals();
        player_.Close();
    }

    bool Ready() const { return ready_; }
    void Send() { sender_.Resend(); }
    void SendWithoutCore() { alone_.Resend(); }
    // The events of the core's page of title 1.
    int32_t CorePageEvents() {
        const std::lock_guard lock(player_.SubtitleLock());
        for (TTitleBlock* page = player_.SubDisplay().Blocks().Head; page != nullptr; page = page->Next) {
            if (page->GetKey() == 1) {
                return page->Events().Count;
            }
        }
        return 0;
    }

private:
    QTemporaryDir folder_;
    TCorePlayer player_{nullptr};
    TPlayerObjects hub_{nullptr};
    TProfileSubtitles sender_{&hub_};
    TPlayerObjects noPlayer_{nullptr};
    TProfileSubtitles alone_{&noPlayer_};
    bool ready_ = false;
};

BenchSender* sender = nullptr;
const std::string script = FixtureScript(Dialogue(), 20);

void BM_SendLanguage(benchmark::State& state) {
    for (auto _ : state) {
        sender->Send();
    }
    state.counters["events"] = kEvents;
}

void BM_SendLanguageWithoutCore(benchmark::State& state) {
    for (auto _ : state) {
        sender->SendWithoutCore();
    }
    state.counters["events"] = kEvents;
}

void BM_ReadScriptAlone(benchmark::State& state) {
    for (auto _ : state) {
        TScriptControl read;
        benchmark::DoNotOptimize(read.Parse(script, 0));
    }
    state.counters["events"] = kEvents;
}

BENCHMARK(BM_SendLanguage)->Apply(PeerRatioReporter::Repeated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SendLanguageWithoutCore)->Apply(PeerRatioReporter::Repeated)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadScriptAlone)->Apply(PeerRatioReporter::Repeated)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    BenchSender bench;
    if (!bench.Ready() || bench.CorePageEvents() != kEvents) {
        std::fprintf(stderr, "the language did not reach the core whole (%d events)\n",
                     bench.CorePageEvents());
        return 1;
    }
    sender = &bench;
    // Sending aims at no more than a read of the same script; the core's part is its layout of every
    // event it is given.
    return PeerRatioReporter::Main(argc, argv,
                                   {{"BM_SendLanguage", "BM_ReadScriptAlone", 1.0},
                                    {"BM_SendLanguageWithoutCore", "BM_ReadScriptAlone", 1.0}});
}
