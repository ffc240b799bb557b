// The DVD side's arithmetic (time codes into milliseconds by their frame rate, the chapter table when
// the navigator cannot count some title's chapters) and the navigator's events as the engine reports
// them.
#include "core/src/engine/TEngineDvd.h"
#include "core/src/engine/TEngineDvdEvents.h"
#include "platform/dvd/DvdTypes.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

TEST(TEngineDvdTest, AChapterCountThatCannotBeReadIsZeroNotGarbage) {
    const auto table = TEngineDvd::ChapterTable(3, [](std::uint32_t title, std::uint32_t* chapters) {
        if (title == 2) {
            *chapters = 0xDEADBEEF; // a failing read may leave anything behind
            return plat::media::E_FAIL;
        }
        *chapters = title + 4;
        return plat::media::S_OK;
    });
    EXPECT_EQ(table, (std::vector<std::uint32_t>{5, 0, 7}));
    EXPECT_TRUE(TEngineDvd::ChapterTable(0, nullptr).empty());
}

// Events that need no navigator to be handled: what each becomes, in order.
namespace events {

using Report = std::tuple<char, std::uint32_t, std::uint32_t, std::uint32_t>; // 'E'rror, 'S'tatus, e'V'ent

struct Case {
    const char* name;
    long code;
    std::int64_t first;
    std::int64_t second;
    std::vector<Report> reports;
    bool inMenu;
};

const Case kCases[] = {
    {"a disc error is told", plat::dvd::EC_DVD_ERROR, 1, 0, {{'E', 8, 1, 0}}, false},
    {"an error code above 8 is not", plat::dvd::EC_DVD_ERROR, 9, 0, {}, false},
    {"the time keeps its code and flags",
     plat::dvd::EC_DVD_CURRENT_HMSF_TIME,
     0x0C030201,
     1,
     {{'V', 2, 0x0C030201, 1}},
     false},
    {"a new title", plat::dvd::EC_DVD_TITLE_CHANGE, 2, 0, {{'V', 0, 2, 1}, {'S', 14, 0, 0}}, false},
    {"a new chapter", plat::dvd::EC_DVD_CHAPTER_START, 3, 0, {{'V', 1, 3, 1}}, false},
    {"a menu domain",
     plat::dvd::EC_DVD_DOMAIN_CHANGE,
     3,
     0,
     {{'V', 8, 0, 0}, {'S', 15, 0, 0}, {'S', 14, 0, 0}},
     true},
    {"an unknown domain", plat::dvd::EC_DVD_DOMAIN_CHANGE, 9, 0, {{'V', 8, 0, 0}, {'S', 14, 0, 0}}, false},
    {"a button change", plat::dvd::EC_DVD_BUTTON_CHANGE, 2, 1, {}, false},
};

TEST(TEngineDvdEventsTest, EventsBecomeTheEnginesReports) {
    for (const Case& row : kCases) {
        SCOPED_TRACE(row.name);
        TEngineContext context;
        std::vector<Report> reports;
        context.callbacks = {
            [&](auto kind, auto v1, auto v2) { reports.emplace_back('E', kind, v1, v2); },
            [&](auto kind, auto v1, auto v2) { reports.emplace_back('S', kind, v1, v2); },
            [&](auto kind, auto v1, auto v2) { reports.emplace_back('V', kind, v1, v2); },
        };
        TEngineDvd dvd(context);
        TEngineDvdEvents handler(context, dvd);
        ASSERT_TRUE(TEngineDvdEvents::IsDvdEvent(row.code));
        handler.Handle({row.code, row.first, row.second, {}});
        EXPECT_EQ(reports, row.reports);
        EXPECT_EQ(context.inDvdMenu.load(), row.inMenu);
    }
    EXPECT_FALSE(TEngineDvdEvents::IsDvdEvent(plat::media::EC_COMPLETE));
}

} // namespace events

} // namespace
