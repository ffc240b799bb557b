// The library as a program uses it: System/vokrad.so found below the program folder, bound by
// export name, driven through Fct_SendOrder.
#include "core/include/Vokrad.h"
#include "core/include/VokradNotifications.h"
#include "core/include/VokradOrders.h"
#include "core/src/TOrderTable.h"
#include "core/tests/ClientWindow.h"
#include "platform/win/Library.h"
#include "platform/win/Message.h"
#include "platform/win/Window.h"

#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace win = plat::win;

namespace {

struct TExports {
    TDLL_Start DLL_Start;
    TDLL_Stop DLL_Stop;
    TFct_CreatePlayerInstance Fct_CreatePlayerInstance;
    TFct_FreePlayerInstance Fct_FreePlayerInstance;
    TFct_SendOrder Fct_SendOrder;
    TFct_FreeData Fct_FreeData;
    TFct_GetCommonDsFilters Fct_GetCommonDsFilters;
    TFct_GetAllFilters Fct_GetAllFilters;
    TFct_GetFCCFilters Fct_GetFCCFilters;
    TFct_GetFilterInfo Fct_GetFilterInfo;
    TFct_ShowFilterProp Fct_ShowFilterProp;
    TFct_SetRit Fct_SetRit;
    TFct_GetMediaDuration Fct_GetMediaDuration;
    TFct_IsVMR9Present Fct_IsVMR9Present;
    TFct_HtmlHelp Fct_HtmlHelp;
};

win::HMODULE library = nullptr;
TExports core{};

template <class F> void Bind(F& slot, const char* name) {
    slot = reinterpret_cast<F>(win::GetProcAddress(library, name));
    ASSERT_NE(slot, nullptr) << name;
}

// What each order answers with a zeroed well-formed record while the player has no graph, no pages
// and no on-screen items; every order not listed answers -1 (an on-screen item of type 0 among them).
int AnswerWithoutParts(std::uint32_t order) {
    switch (order) {
    case kOrderVolume:
    case kOrderAudioStream:
    case kOrderRefreshPosition:
    case kOrderShowVideo:
    case kOrderHideVideo:
    case kOrderColourKey: // the video surface takes the key
    case kOrderGraphDescription:
    case kOrderParentWindows:
    case kOrderDisplayMode:
    case kOrderFilterProperties:
    case kOrderPlayState:
    case kOrderStop:         // the engine stops and releases its (missing) graph
    case kOrderCaptureRing:  // a graph without a sample grabber records nothing
    case kOrderVideoLayout:  // the settings are kept and the video laid out
    case kOrderClockTime:    // the clock stands at 0
    case kOrderFilterList:   // the empty filter list of no graph
    case kOrderMediaContent: // the empty media content of no graph
    case kOrderGraphLog:     // the (empty) log of the last build
    case kOrderClearSubtitles:
    case kOrderStyles: // a step other than 1-4 changes nothing
    case kOrderSubtitlesOn:
    case kOrderProfileFlag:
    case kOrderSubtitleOffset:
    case kOrderStyleOverride:
    case kOrderFreezeMessages:
    case kOrderUnfreezeMessages:
    case kOrderClearOsdItems:
    case kOrderOsdStyle:
    case kOrderOsdVariable:
    case kOrderClearOsdVariables:
    case kOrderPing:
        return 0;
    default:
        return -1;
    }
}

const char16_t kText[] = u"<GRAPH/>";

// A record of exactly `bytes` bytes with the size word `sizeWord`; a full-size record of an order
// that carries pointers gets valid texts, as the protocol asks of the caller.
std::vector<std::byte> RecordFor(std::uint32_t order, std::size_t bytes, std::uint32_t sizeWord) {
    std::vector<std::byte> record(bytes);
    if (bytes >= sizeof(TOrderRecord)) {
        std::memcpy(record.data() + offsetof(TOrderRecord, size), &sizeWord, sizeof(sizeWord));
    }
    const auto put = [&](std::size_t offset, const void* pointer) {
        if (offset + sizeof(pointer) <= bytes) {
            std::memcpy(record.data() + offset, &pointer, sizeof(pointer));
        }
    };
    switch (order) {
    case kOrderGraphDescription:
        put(offsetof(TOrderGraphDescription, text), kText);
        break;
    case kOrderSaveGraph:
        put(offsetof(TOrderSaveGraph, fileName), kText);
        break;
    case kOrderOsdItem:
        put(offsetof(TOrderOsdItem, data), kText);
        break;
    case kOrderOsdVariable:
        put(offsetof(TOrderOsdVariable, name), kText);
        put(offsetof(TOrderOsdVariable, value), kText);
        break;
    default:
        break;
    }
    return record;
}

class VokradHostTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* dist = std::getenv("TOVRIN_DIST_DIR");
        ASSERT_NE(dist, nullptr);
        ::setenv("TOVRIN_PROGRAM_FOLDER", dist, 1);
        library = win::LoadLibrary("System\\vokrad.so");
        ASSERT_NE(library, nullptr) << win::LastLibraryError();
        Bind(core.DLL_Start, "DLL_Start");
        Bind(core.DLL_Stop, "DLL_Stop");
        Bind(core.Fct_CreatePlayerInstance, "Fct_CreatePlayerInstance");
        Bind(core.Fct_FreePlayerInstance, "Fct_FreePlayerInstance");
        Bind(core.Fct_SendOrder, "Fct_SendOrder");
        Bind(core.Fct_FreeData, "Fct_FreeData");
        Bind(core.Fct_GetCommonDsFilters, "Fct_GetCommonDsFilters");
        Bind(core.Fct_GetAllFilters, "Fct_GetAllFilters");
        Bind(core.Fct_GetFCCFilters, "Fct_GetFCCFilters");
        Bind(core.Fct_GetFilterInfo, "Fct_GetFilterInfo");
        Bind(core.Fct_ShowFilterProp, "Fct_ShowFilterProp");
        Bind(core.Fct_SetRit, "Fct_SetRit");
        Bind(core.Fct_GetMediaDuration, "Fct_GetMediaDuration");
        Bind(core.Fct_IsVMR9Present, "Fct_IsVMR9Present");
        Bind(core.Fct_HtmlHelp, "Fct_HtmlHelp");
        ASSERT_EQ(core.DLL_Start(), 1);
    }

    static void TearDownTestSuite() {
        if (library != nullptr) {
            EXPECT_EQ(core.DLL_Stop(), 0);
            EXPECT_TRUE(win::FreeLibrary(library));
            library = nullptr;
        }
    }

    void SetUp() override {
        ASSERT_NE(library, nullptr);
        instance_ = core.Fct_CreatePlayerInstance(0, "Test");
        ASSERT_NE(instance_, nullptr);
    }

    void TearDown() override { core.Fct_FreePlayerInstance(instance_, 0); }

    // Sends an order with the out pointer set to a sentinel; `outAfter` receives what it holds after.
    int Send(std::uint32_t order, void* record, void** outAfter = nullptr) {
        void* out = &sentinel_;
        const int answer = core.Fct_SendOrder(instance_, 0, order, record, &out);
        if (outAfter != nullptr) {
            *outAfter = out;
        }
        return answer;
    }

    TCoreInstance* instance_ = nullptr;
    int sentinel_ = 0;
};

TEST_F(VokradHostTest, ServicesWithoutInstanceAnswerOverTheMediaLayer) {
    char16_t* text = nullptr;
    EXPECT_EQ(core.Fct_GetAllFilters(&text), 0);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(std::u16string_view(text).starts_with(u"<FILTERENUM>\r\n"));
    EXPECT_EQ(core.Fct_FreeData(reinterpret_cast<void**>(&text)), 0);
    char16_t* untouched = nullptr;
    EXPECT_EQ(core.Fct_GetCommonDsFilters(nullptr), 0);
    EXPECT_EQ(core.Fct_GetFCCFilters(0x395A5A5A, nullptr), 0); // "ZZZ9" stands for no video type
    EXPECT_EQ(core.Fct_GetFilterInfo(u"@device:sw:{x}", &untouched), -1);
    EXPECT_EQ(untouched, nullptr);
    EXPECT_EQ(core.Fct_ShowFilterProp(0, u"@device:sw:{x}"), 0);
    EXPECT_EQ(core.Fct_SetRit(u"@device:sw:{x}", 0x200000), 0);
    EXPECT_EQ(core.Fct_GetMediaDuration(u"/nonexistent.avi"), 0);
    EXPECT_EQ(core.Fct_IsVMR9Present(), 9);
    EXPECT_EQ(core.Fct_HtmlHelp(1, 2, 3), 1);
    EXPECT_EQ(core.DLL_Start(), 1);
}

TEST_F(VokradHostTest, CreationNeedsATextButAnyTextWillDo) {
    EXPECT_EQ(core.Fct_CreatePlayerInstance(0, nullptr), nullptr);
    TCoreInstance* empty = core.Fct_CreatePlayerInstance(0, "");
    ASSERT_NE(empty, nullptr);
    EXPECT_NE(empty, instance_);
    EXPECT_EQ(core.Fct_SendOrder(empty, 0, kOrderPing, nullptr, nullptr), 0);
    EXPECT_EQ(core.Fct_FreePlayerInstance(empty, 0), 0);
}

TEST_F(VokradHostTest, FreedInstanceAnswersEveryOrderWithoutTouchingTheOutPointer) {
    EXPECT_EQ(core.Fct_FreePlayerInstance(nullptr, 0), -1);
    ASSERT_EQ(core.Fct_FreePlayerInstance(instance_, 0), 0);
    for (const TOrderInfo& row : kOrderTable) {
        auto record = RecordFor(row.order, std::max<std::size_t>(row.size, sizeof(TOrderRecord)), row.size);
        void* out = nullptr;
        EXPECT_EQ(Send(row.order, record.data(), &out), -1) << row.order;
        EXPECT_EQ(out, &sentinel_) << row.order;
    }
    EXPECT_EQ(core.Fct_FreePlayerInstance(instance_, 0), 0);
    EXPECT_EQ(core.Fct_SendOrder(nullptr, 0, kOrderPing, nullptr, nullptr), -1);
}

TEST_F(VokradHostTest, EveryRecordIsCheckedAgainstTheOrderTable) {
    for (const TOrderInfo& row : kOrderTable) {
        SCOPED_TRACE(row.order);
        void* out = nullptr;
        if (row.record == TOrderRecordKind::Fixed) {
            for (const std::uint32_t size : {row.size - 1, row.size + 1, row.size}) {
                auto record = RecordFor(row.order, size, size);
                EXPECT_EQ(Send(row.order, record.data(), &out),
                          size == row.size ? AnswerWithoutParts(row.order) : -1)
                    << size;
                EXPECT_EQ(out, nullptr);
            }
            EXPECT_EQ(Send(row.order, nullptr, &out), -1);
        } else if (row.record == TOrderRecordKind::None) {
            std::vector<std::byte> unread(1); // a record would be read past its one byte
            for (void* record : {static_cast<void*>(unread.data()), static_cast<void*>(nullptr)}) {
                EXPECT_EQ(Send(row.order, record, &out), AnswerWithoutParts(row.order));
                EXPECT_EQ(out != nullptr, row.needsOut && AnswerWithoutParts(row.order) == 0);
                if (out != nullptr) {
                    EXPECT_EQ(core.Fct_FreeData(&out), 0);
                    out = nullptr;
                }
            }
        }
        if (row.needsOut) {
            EXPECT_EQ(core.Fct_SendOrder(instance_, 0, row.order, nullptr, nullptr), -1);
        }
    }
}

TEST_F(VokradHostTest, UnknownOrdersAnswerAfterClearingTheOutPointer) {
    for (const std::uint32_t order :
         {0u, 1u, 99u, 115u, 119u, 123u, 210u, 309u, 508u, 607u, 998u, 1000u, 0xFFFFFFFFu}) {
        void* out = nullptr;
        EXPECT_EQ(Send(order, nullptr, &out), -1) << order;
        EXPECT_EQ(out, nullptr) << order;
    }
}

TEST_F(VokradHostTest, OrdersWriteTheirAnswersIntoTheRecord) {
    TOrderVolume volume{{0, sizeof(volume)}, 55, 1, {}};
    EXPECT_EQ(Send(kOrderVolume, &volume), 0);
    EXPECT_EQ(volume.volume, 0);

    TOrderPlayState state{{0, sizeof(state)}, 9};
    EXPECT_EQ(Send(kOrderPlayState, &state), 0);
    EXPECT_EQ(state.state, kPlayStateStopped);

    TOrderDisplayMode mode{{0, sizeof(mode)}, kDisplayModeFullScreen};
    EXPECT_EQ(Send(kOrderDisplayMode, &mode), 0);
    EXPECT_EQ(mode.mode, kDisplayModeFullScreen);

    TOrderStreams streams{{0, sizeof(streams)}, 1, 0, 0, {}, 0};
    EXPECT_EQ(Send(kOrderAudioStream, &streams), 0); // 1 only when the stream was selected
    EXPECT_EQ(Send(kOrderClockTime, nullptr), 0);
}

TEST_F(VokradHostTest, PageRecordsNeedTheirPageHeadAndMatchingLengths) {
    struct Case {
        std::uint32_t size;
        std::uint32_t length;
    };
    for (const Case c : {Case{12, 12}, Case{13, 13}, Case{23, 23}, Case{24, 23}, Case{40, 1000}}) {
        auto record = RecordFor(kOrderSubtitlePages, c.size, c.size);
        if (c.size >= offsetof(TOrderSubtitlePages, length) + sizeof(c.length)) {
            std::memcpy(record.data() + offsetof(TOrderSubtitlePages, length), &c.length, sizeof(c.length));
        }
        EXPECT_EQ(Send(kOrderSubtitlePages, record.data()), -1) << c.size;
    }
}

TEST_F(VokradHostTest, FixedTextFieldsWithoutTerminatorAreRefused) {
    TOrderGraphVariable variable{{0, sizeof(variable)}, {}, {}};
    std::fill(std::begin(variable.name), std::end(variable.name), u'n');
    std::fill(std::begin(variable.value), std::end(variable.value), u'v');
    auto exact = RecordFor(kOrderGraphVariable, sizeof(variable), sizeof(variable));
    std::memcpy(exact.data(), &variable, sizeof(variable));
    EXPECT_EQ(Send(kOrderGraphVariable, exact.data()), -1);

    TOrderDvdState state{{0, sizeof(state)}, {}, {}, 1, {}};
    std::fill(std::begin(state.storageFile), std::end(state.storageFile), u'f');
    for (const std::uint32_t order : {kOrderSaveDvdState, kOrderRestoreDvdState, kOrderDeleteDvdState}) {
        EXPECT_EQ(Send(order, &state), -1) << order;
    }
}

TEST_F(VokradHostTest, LogFileOrderStartsTheNamedFileEmptyAndRefusesNull) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("vokrad.log").toStdString();
    std::ofstream(path) << "previous run";
    EXPECT_EQ(Send(kOrderLogFile, nullptr), -1);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(Send(kOrderLogFile, const_cast<char*>(path.c_str())), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(VokradHostTest, FreeDataFreesTheBlockAndLeavesThePointer) {
    EXPECT_EQ(core.Fct_FreeData(nullptr), -1);
    void* block = nullptr;
    EXPECT_EQ(core.Fct_FreeData(&block), -1);
    block = std::malloc(64);
    void* const allocated = block;
    EXPECT_EQ(core.Fct_FreeData(&block), 0);
    EXPECT_EQ(block, allocated);
}

TEST_F(VokradHostTest, TwoInstancesLiveAndDieApart) {
    TCoreInstance* second = core.Fct_CreatePlayerInstance(0, "Test");
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(core.Fct_FreePlayerInstance(instance_, 0), 0);
    EXPECT_EQ(core.Fct_SendOrder(second, 0, kOrderPing, nullptr, nullptr), 0);
    EXPECT_EQ(core.Fct_SendOrder(instance_, 0, kOrderPing, nullptr, nullptr), -1);
    EXPECT_NE(win::FindWindow("PlayerControl", ""), 0u);

    ASSERT_EQ(core.Fct_FreePlayerInstance(second, 0), 0);
    EXPECT_EQ(win::FindWindow("PlayerControl", ""), 0u);
    win::WNDCLASS wc;
    EXPECT_FALSE(win::GetClassInfo("PlayerControl", &wc));
}

TEST_F(VokradHostTest, HostWindowIsRegisteredAndHearsNothingWhileNoEngineReports) {
    ClientWindow host;
    TCoreInstance* player = core.Fct_CreatePlayerInstance(host.hwnd(), "Test");
    ASSERT_NE(player, nullptr);
    const auto send = [&](std::uint32_t order, void* record) {
        return core.Fct_SendOrder(player, 0, order, record, nullptr);
    };
    // Without a graph the play state is 4, which keeps the clock stopped at 0.
    TOrderPlayState state{{0, sizeof(state)}, 9};
    EXPECT_EQ(send(kOrderPlayState, &state), 0);
    EXPECT_EQ(state.state, kPlayStateStopped);
    EXPECT_EQ(send(kOrderClockTime, nullptr), 0);
    EXPECT_EQ(send(kOrderStop, nullptr), 0);
    TOrderSubtitlesOn on{{0, sizeof(on)}, 1, {}};
    EXPECT_EQ(send(kOrderSubtitlesOn, &on), 0);
    TOrderVideoRectangle rectangle{{0, sizeof(rectangle)}, 0, 0, 0, 0};
    EXPECT_EQ(send(kOrderVideoRectangle, &rectangle), -1);
    EXPECT_EQ(core.Fct_FreePlayerInstance(player, 0), 0);
    ClientWindow::Deliver();
    EXPECT_TRUE(host.posted.empty());
    EXPECT_TRUE(host.records.empty());
}

TEST_F(VokradHostTest, StartUpWritesItsLinesToTheLog) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("vokrad.log").toStdString();
    ASSERT_EQ(Send(kOrderLogFile, const_cast<char*>(path.c_str())), 0);
    TCoreInstance* second = core.Fct_CreatePlayerInstance(0, "Test");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(core.Fct_FreePlayerInstance(second, 0), 0);
    std::ostringstream log;
    log << std::ifstream(path).rdbuf();
    // Freeing the instance releases the engine's graph, which the log tells after the start-up.
    EXPECT_TRUE(log.str().starts_with(
        "PLAYSTART: Create Player ObjectPLAYSTART: Create Subtitler WindowPLAYSTART: Create Video "
        "WindowPLAYSTART: Start Timer thread\n"))
        << log.str();
}

// The host's hidden window: user messages go to the test's handler.
std::function<void(win::UINT)> hostHandler;

win::LRESULT HostProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
    if (msg >= win::WM_USER && hostHandler) {
        hostHandler(msg);
        return 0;
    }
    return win::DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST_F(VokradHostTest, FreeingAndCreatingInsideTheEventLoopKeepsTheLoopRunning) {
    win::WNDCLASS wc;
    wc.lpfnWndProc = &HostProc;
    wc.lpszClassName = "VokradTestHost";
    ASSERT_TRUE(win::RegisterClass(wc));
    const win::HWND host = win::CreateWindowEx(0, "VokradTestHost", "", 0, 0, 0, 0, 0, 0, nullptr);
    ASSERT_NE(host, 0u);

    QEventLoop loop;
    bool laterMessageArrived = false;
    hostHandler = [&](win::UINT msg) {
        if (msg == win::WM_USER + 1) {
            EXPECT_EQ(core.Fct_FreePlayerInstance(instance_, 0), 0);
            instance_ = core.Fct_CreatePlayerInstance(host, "Test");
            EXPECT_TRUE(win::PostMessage(host, win::WM_USER + 2, 0, 0));
        } else if (msg == win::WM_USER + 2) {
            laterMessageArrived = true;
            loop.exit(0);
        }
    };
    ASSERT_TRUE(win::PostMessage(host, win::WM_USER + 1, 0, 0));
    QTimer::singleShot(30000, &loop, [&] { loop.exit(1); }); // guards against a lost message only
    EXPECT_EQ(loop.exec(), 0);
    EXPECT_TRUE(laterMessageArrived);
    EXPECT_EQ(core.Fct_SendOrder(instance_, 0, kOrderPing, nullptr, nullptr), 0);

    hostHandler = nullptr;
    win::DestroyWindow(host);
    win::UnregisterClass("VokradTestHost");
}

} // namespace
