// The core's property frames in a host without a QApplication: nothing is shown, and the answers are
// still those of the filters reached (order 206) and of the frames shown (the service).
#include "core/src/filters/TFilterPropertyPages.h"

#include "core/tests/graph/ReportGraphs.h"
#include "platform/forms/tests/ScriptedDialogRunner.h"
#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

namespace {

using plat::forms::test::ScriptedDialogRunner;
using plat::media::FilterCatalogue;

TEST(TFilterPropertyPagesHeadlessTest, FiltersAreReachedButNoFrameIsShown) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    ScriptedDialogRunner runner(&ScriptedDialogRunner::Accept);
    report_graphs::TestGraph graph;
    ASSERT_TRUE(graph.Add("videotestsrc", "Pattern"));
    ASSERT_TRUE(graph.Add("oggdemux", "Demuxer"));

    EXPECT_FALSE(TFilterPropertyPages::ShowGraphFilter(nullptr, 0, 1));
    EXPECT_FALSE(TFilterPropertyPages::ShowGraphFilter(&graph.Graph(), 0, 0));
    EXPECT_TRUE(TFilterPropertyPages::ShowGraphFilter(&graph.Graph(), 0, 1));
    EXPECT_TRUE(TFilterPropertyPages::ShowGraphFilter(&graph.Graph(), 0, 2)) << "reached, nothing to show";
    EXPECT_FALSE(TFilterPropertyPages::ShowGraphFilter(&graph.Graph(), 0, 3));
    EXPECT_FALSE(TFilterPropertyPages::ShowGraphFilter(&graph.Graph(), 0, 0xFFFFFFFFu));

    const FilterCatalogue& catalogue = report_graphs::Catalogue();
    const std::u16string source =
        plat::text::AnsiToWide(FilterCatalogue::DisplayName(*catalogue.FindByFactoryName("videotestsrc")));
    EXPECT_FALSE(TFilterPropertyPages::ShowCatalogueFilter(catalogue, 0, source.c_str()));
    EXPECT_TRUE(runner.ShownFrames().empty());
}

} // namespace
