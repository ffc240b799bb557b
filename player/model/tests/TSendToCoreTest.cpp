#include "player/model/binding/TSendToCore.h"
#include "core/include/VokradOrders.h"
#include "player/model/tests/PlayerTestSupport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

// The partial core's start and stop calls, in order.
std::vector<int> partialCoreCalls;

extern "C" __attribute__((visibility("default"))) void PartialCoreLifecycle(int event) {
    partialCoreCalls.push_back(event);
}

namespace {

namespace fs = std::filesystem;

TEST(TSendToCore, LoadsTheBuiltCoreBelowTheProgramFolderWhateverTheCurrentFolder) {
    TProgramFolderScope folder(DistFolder());
    const fs::path before = fs::current_path();
    fs::current_path(fs::temp_directory_path());
    TSendToCore binding;
    const bool loaded = binding.Load("System");
    fs::current_path(before);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(binding.Load("System")); // already loaded: nothing more

    const TSendToCore::TEntries& e = binding.Entries();
    for (const void* entry :
         {(void*)e.DLL_Start, (void*)e.DLL_Stop, (void*)e.Fct_HtmlHelp, (void*)e.Fct_IsVMR9Present,
          (void*)e.Fct_CreatePlayerInstance, (void*)e.Fct_FreePlayerInstance, (void*)e.Fct_SendOrder,
          (void*)e.Fct_FreeData, (void*)e.Fct_GetMediaDuration, (void*)e.Fct_GetCommonDsFilters,
          (void*)e.Fct_GetAllFilters, (void*)e.Fct_SetRit, (void*)e.Fct_ShowFilterProp,
          (void*)e.Fct_GetFilterInfo, (void*)e.Fct_GetFCCFilters}) {
        EXPECT_NE(entry, nullptr);
    }
    // The core has no mouse hook: its wrappers answer 0 without effect.
    EXPECT_EQ(e.Fct_StartMouseHook, nullptr);
    EXPECT_EQ(e.Fct_StopMouseHook, nullptr);
    EXPECT_EQ(e.Fct_MouseProc, nullptr);
    EXPECT_EQ(binding.StartMouseHook(5, 1234), 0);
    EXPECT_EQ(binding.StopMouseHook(), 0);

    TCoreInstance* instance = binding.CreatePlayerInstance(0);
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(binding.SendOrder(instance, 0, kOrderPing, nullptr, nullptr), 0);
    EXPECT_EQ(binding.FreePlayerInstance(instance, 0), 0);
    EXPECT_EQ(binding.SendOrder(instance, 0, kOrderPing, nullptr, nullptr), -1);

    binding.Unload();
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_EQ(binding.Entries().Fct_SendOrder, nullptr);
    binding.Unload(); // nothing loaded: nothing happens
}

TEST(TSendToCore, MissingExportsAnswerTheirMissingValues) {
    partialCoreCalls.clear();
    TProgramFolderScope folder(PARTIAL_CORE_FOLDER);
    TSendToCore binding;
    ASSERT_TRUE(binding.Load("System"));
    EXPECT_EQ(partialCoreCalls, std::vector{1});

    char16_t* xml = nullptr;
    void* block = nullptr;
    EXPECT_EQ(binding.CreatePlayerInstance(3), nullptr);
    struct Case {
        const char* wrapper;
        int32_t answer;
        int32_t missing;
    };
    const Case cases[] = {
        {"FreePlayerInstance", binding.FreePlayerInstance(nullptr, 3), -1},
        {"SendOrder", binding.SendOrder(nullptr, 3, kOrderPing, nullptr, nullptr), -1},
        {"FreeData", binding.FreeData(&block), -1},
        {"StartMouseHook", binding.StartMouseHook(3, 1), 0},
        {"StopMouseHook", binding.StopMouseHook(), 0},
        {"GetMediaDuration", binding.GetMediaDuration(u"a.avi"), -1},
        {"GetCommonDsFilters", binding.GetCommonDsFilters(&xml), -1},
        {"GetAllFilters", binding.GetAllFilters(&xml), -1},
        {"SetRit", binding.SetRit(u"filter", 0x200000), -1},
        {"ShowFilterProp", binding.ShowFilterProp(3, u"filter"), -1},
        {"GetFilterInfo", binding.GetFilterInfo(u"filter", &xml), -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.answer, c.missing) << c.wrapper;
    }
    EXPECT_EQ(xml, nullptr);

    binding.Unload();
    EXPECT_EQ(partialCoreCalls, (std::vector{1, 2}));
}

// A load begun early is taken over by Load: the library is loaded and started once and answers.
TEST(TSendToCore, ALoadBegunEarlyIsTakenOverByLoad) {
    TProgramFolderScope folder(DistFolder());
    TSendToCore binding;
    binding.BeginLoad("System");
    ASSERT_TRUE(binding.Load("System"));
    char16_t* xml = nullptr;
    EXPECT_GT(binding.GetCommonDsFilters(&xml), 0);
    ASSERT_NE(xml, nullptr);
    EXPECT_NE(std::u16string(xml).find(u"<FILTERENUM>"), std::u16string::npos);
    void* block = xml;
    EXPECT_EQ(binding.FreeData(&block), 0);
    binding.Unload();
    EXPECT_FALSE(binding.IsLoaded());

    // Begun and never taken over: unloading waits for it.
    binding.BeginLoad("System");
    binding.Unload();
    EXPECT_FALSE(binding.IsLoaded());
}

TEST(TSendToCore, ALoadBegunEarlyOfAMissingLibraryFailsAsLoadDoes) {
    partialCoreCalls.clear();
    {
        TProgramFolderScope folder(PARTIAL_CORE_FOLDER);
        TSendToCore binding;
        binding.BeginLoad("System");
        EXPECT_TRUE(binding.Load("System"));
        EXPECT_EQ(partialCoreCalls, std::vector{1}) << "started once";
        binding.Unload();
        EXPECT_EQ(partialCoreCalls, (std::vector{1, 2}));
    }
    const fs::path empty =
        fs::temp_directory_path() / ("player_model_no_core_early_" + std::to_string(::getpid()));
    fs::create_directories(empty / "System");
    {
        TProgramFolderScope folder(empty.string());
        TSendToCore binding;
        binding.BeginLoad("System");
        EXPECT_FALSE(binding.Load("System"));
        // Destroyed with a load begun and not taken over: it is waited for.
        TSendToCore abandoned;
        abandoned.BeginLoad("System");
    }
    fs::remove_all(empty);
}

TEST(TSendToCore, ALibraryThatCannotBeFoundIsNotLoaded) {
    const fs::path empty = fs::temp_directory_path() / ("player_model_no_core_" + std::to_string(::getpid()));
    fs::create_directories(empty / "System");
    {
        TProgramFolderScope folder(empty.string());
        TSendToCore binding;
        EXPECT_FALSE(binding.Load("System"));
        EXPECT_FALSE(binding.IsLoaded());
        EXPECT_EQ(binding.CreatePlayerInstance(1), nullptr);
        EXPECT_EQ(binding.SendOrder(nullptr, 1, kOrderPing, nullptr, nullptr), -1);
    }
    fs::remove_all(empty);
}

} // namespace
