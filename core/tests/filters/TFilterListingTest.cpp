// The graph's filters as fixed entries over small real graphs: names cut to their field, the
// properties flag, the capacity, and the count of every filter.
#include "core/src/filters/TFilterListing.h"

#include "core/tests/graph/ReportGraphs.h"
#include "platform/media/ElementProperties.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using report_graphs::TestGraph;

constexpr char kFill = 0x5A; // what an entry holds before it is written

std::vector<TFilterListEntry> Entries(std::size_t count) {
    std::vector<TFilterListEntry> entries(count);
    std::memset(entries.data(), kFill, count * sizeof(TFilterListEntry));
    return entries;
}

TEST(TFilterListingTest, FillsEntriesInGraphOrderUpToTheCapacityAndCountsEveryFilter) {
    TestGraph graph;
    const std::string longName(300, 'n');
    ASSERT_TRUE(graph.Add("audiotestsrc", "Tone"));
    ASSERT_TRUE(graph.Add("fakesink", longName));
    ASSERT_TRUE(graph.Add("identity", "Third"));
    struct Case {
        std::uint32_t capacity;
        std::size_t filled;
    };
    for (const Case& test : {Case{0, 0}, Case{2, 2}, Case{3, 3}, Case{10, 3}}) {
        SCOPED_TRACE(test.capacity);
        std::vector<TFilterListEntry> entries = Entries(10);
        std::uint32_t count = 0;
        ASSERT_TRUE(TFilterListing::ListFilters(&graph.Graph(), entries.data(), test.capacity, &count));
        EXPECT_EQ(count, 3u);
        if (test.filled >= 1) {
            EXPECT_STREQ(entries[0].name, "Tone");
            EXPECT_EQ(entries[0].hasPropertyPages,
                      plat::media::ElementProperties::Any(graph.Graph().FindFilter("Tone")) ? 1u : 0u);
        }
        if (test.filled >= 2) {
            EXPECT_EQ(std::string(entries[1].name), longName.substr(0, TFilterListEntry::kMaxNameBytes));
        }
        for (std::size_t i = test.filled; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].name[0], kFill) << "entry " << i << " is beyond the capacity";
        }
    }
}

TEST(TFilterListingTest, CountsWithoutEntriesAndFailsWithoutAGraph) {
    TestGraph graph;
    ASSERT_TRUE(graph.Add("fakesink", "Sink"));
    std::uint32_t count = 0;
    EXPECT_TRUE(TFilterListing::ListFilters(&graph.Graph(), nullptr, 5, &count));
    EXPECT_EQ(count, 1u);
    std::vector<TFilterListEntry> entries = Entries(1);
    EXPECT_TRUE(TFilterListing::ListFilters(&graph.Graph(), entries.data(), 1, nullptr));
    EXPECT_STREQ(entries[0].name, "Sink");
    count = 7;
    EXPECT_FALSE(TFilterListing::ListFilters(nullptr, entries.data(), 1, &count));
    EXPECT_EQ(count, 7u);
}

// A filter whose name cannot be read is listed as "---".
TEST(TFilterListingTest, AFilterWithoutANameIsListedAsDashes) {
    TestGraph graph;
    if (!graph.Add("fakesink", "")) {
        GTEST_SKIP() << "the media graph refuses filters without an identifier, so none can lack a name";
    }
    std::vector<TFilterListEntry> entries = Entries(1);
    std::uint32_t count = 0;
    ASSERT_TRUE(TFilterListing::ListFilters(&graph.Graph(), entries.data(), 1, &count));
    EXPECT_STREQ(entries[0].name, TFilterListing::kUnreadableName);
}

} // namespace
