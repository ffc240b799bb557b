// A remote plug-in's command round trip: a plug-in thread hands a command to the main thread through
// the host callback and waits for its answer, against a plain blocking Qt round trip
// (QMetaObject::invokeMethod with Qt::BlockingQueuedConnection) from the same thread to the same main
// loop, the two interleaved in one run. Goals: the 99th percentile under one frame at 60 Hz, and at
// most twice the Qt round trip's. Round trips as the first argument (default 5000).
#include "platform/win/Window.h"
#include "player/scripting/remote/PluginHostCallback.h"
#include "player/scripting/remote/TPlugIns.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <unistd.h>
#include <vector>

namespace win = plat::win;
using Clock = std::chrono::steady_clock;

namespace {

constexpr double kFrameMs = 1000.0 / 60.0;
constexpr double kGoalRatio = 2.0;

std::shared_ptr<TPlugIns> host;

win::LRESULT MainWindowProcedure(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    if (msg == TPlugIns::kCommandMessage) {
        host->RunPendingCommand();
        return 0;
    }
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[at];
}

void Print(const char* name, const std::vector<double>& values) {
    std::printf("%-28s p50 %8.4f ms   p99 %8.4f ms   max %8.4f ms\n", name, Percentile(values, 0.5),
                Percentile(values, 0.99), Percentile(values, 1.0));
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(100, std::atoi(argv[1])) : 5000;
    QCoreApplication application(argc, argv);

    win::RegisterClass({.lpfnWndProc = &MainWindowProcedure, .lpszClassName = "BenchPluginMain"});
    const win::HWND mainWindow = win::CreateWindowEx(0, "BenchPluginMain", "", 0, 0, 0, 0, 0, 0, nullptr);
    const std::filesystem::path emptyFolder =
        std::filesystem::temp_directory_path() / ("bench_plugin_empty-" + std::to_string(::getpid()));
    std::filesystem::create_directories(emptyFolder);

    host = TPlugIns::Create();
    host->SetMainWindow(mainWindow);
    host->SetCommandRunner([](std::u16string_view command, std::size_t& consumed, std::u16string& answer) {
        consumed = command.size();
        answer = u"1";
        return 1;
    });
    host->Scan(emptyFolder.c_str());
    host->Start("");
    TPlugInsItems item;
    item.SetFile(host.get(), "/bench/plug_bench.so");

    QObject receiver;
    std::vector<double> ours;
    std::vector<double> qt;
    ours.reserve(static_cast<std::size_t>(rounds));
    qt.reserve(static_cast<std::size_t>(rounds));
    bool failed = false;
    std::thread pluginThread;
    QTimer::singleShot(0, [&] {
        pluginThread = std::thread([&] {
            const std::u16string command = u"player.volume";
            std::array<char16_t, 16> answer{};
            for (int i = 0; i < rounds && !failed; ++i) {
                int32_t size = static_cast<int32_t>(sizeof(answer));
                const auto start = Clock::now();
                const int32_t result =
                    PluginHostCallback(&item, command.data(), static_cast<int32_t>(command.size()), nullptr,
                                       answer.data(), &size);
                const auto handed = Clock::now();
                int peerResult = 0;
                QMetaObject::invokeMethod(
                    &receiver, [&peerResult] { peerResult = 1; }, Qt::BlockingQueuedConnection);
                const auto peerDone = Clock::now();
                failed = result != 1 || peerResult != 1 || answer[0] != u'1';
                ours.push_back(Milliseconds(handed - start));
                qt.push_back(Milliseconds(peerDone - handed));
            }
            QMetaObject::invokeMethod(&application, &QCoreApplication::quit, Qt::QueuedConnection);
        });
    });
    application.exec();
    pluginThread.join();
    host->SetQuitting();
    host->Stop();
    win::DestroyWindow(mainWindow);
    std::filesystem::remove_all(emptyFolder);
    if (failed || ours.empty()) {
        std::printf("the command round trip failed\n");
        return 1;
    }

    std::printf("%d command round trips from a plug-in thread to the main thread\n", rounds);
    Print("plug-in host callback", ours);
    Print("Qt blocking invokeMethod", qt);
    const double p99 = Percentile(ours, 0.99);
    const double ratio = p99 / Percentile(qt, 0.99);
    std::printf("p99 ratio %.2f (goal <= %.1f), p99 %.4f ms (goal < %.2f ms): %s\n", ratio, kGoalRatio, p99,
                kFrameMs, ratio <= kGoalRatio && p99 < kFrameMs ? "met" : "missed");
    return 0;
}
