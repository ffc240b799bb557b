// Fields of "load:" lines survive any text: commas, line ends and a leading blank are escaped, and so
// is a '%' only where it would read as an escape.
#include "subtitles/profiles/DsFieldEscape.h"

#include <gtest/gtest.h>

namespace {

struct TEscapeCase {
    std::string Plain;
    std::string Written;
};

class DsFieldEscapeTest : public testing::TestWithParam<TEscapeCase> {};

TEST_P(DsFieldEscapeTest, WritesAndReadsBack) {
    EXPECT_EQ(EscapeDsField(GetParam().Plain), GetParam().Written);
    EXPECT_EQ(UnescapeDsField(GetParam().Written), GetParam().Plain);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DsFieldEscapeTest,
    testing::Values(TEscapeCase{"movie.ssa", "movie.ssa"}, TEscapeCase{"23.976", "23.976"},
                    TEscapeCase{"", ""}, TEscapeCase{"a,b", "a%2Cb"},
                    TEscapeCase{"line\r\nend", "line%0D%0Aend"}, TEscapeCase{"100%.srt", "100%.srt"},
                    TEscapeCase{"50%", "50%"}, TEscapeCase{"%2C", "%252C"}, TEscapeCase{"%25", "%2525"},
                    TEscapeCase{"%0a", "%250a"}, TEscapeCase{"%%2c,", "%%252c%2C"}, TEscapeCase{" ", "%20"},
                    TEscapeCase{" lead.ssa", "%20lead.ssa"}, TEscapeCase{"%20.ssa", "%2520.ssa"},
                    TEscapeCase{"a%20b c", "a%20b c"}));

TEST(DsFieldEscape, UnknownEscapesStay) {
    EXPECT_EQ(UnescapeDsField("%41%2"), "%41%2");
    EXPECT_EQ(UnescapeDsField("%2c"), ",");
}

} // namespace
