// The skin script reader: sections, comments, column lists and object lines, read into records.
#include "player/ui/skin/SkinScriptReader.h"

#include <gtest/gtest.h>

namespace {

const char* KindName(SkinObjectKind kind) {
    switch (kind) {
    case SkinObjectKind::Form:
        return "Form";
    case SkinObjectKind::SpeedButton:
        return "SpeedButton";
    case SkinObjectKind::Button:
        return "Button";
    case SkinObjectKind::Label:
        return "Label";
    case SkinObjectKind::SeekBar:
        return "SeekBar";
    case SkinObjectKind::FullScreenSwap:
        return "FullScreenSwap";
    }
    return "?";
}

// The records as "Kind[column=value|...];...".
std::string Describe(const std::vector<SkinObjectRecord>& records) {
    std::string text;
    for (const SkinObjectRecord& record : records) {
        text += text.empty() ? "" : ";";
        text += KindName(record.kind);
        text += "[";
        for (std::size_t i = 0; i < record.values.size(); ++i) {
            text += (i ? "|" : "") + record.values[i].column + "=" + record.values[i].value;
        }
        text += "]";
    }
    return text;
}

struct ReaderCase {
    const char* name;
    std::string script;
    std::string expected;
};

class SkinScriptReaderTable : public testing::TestWithParam<ReaderCase> {};

TEST_P(SkinScriptReaderTable, ReadsRecords) {
    SkinScriptReader reader;
    std::vector<SkinObjectRecord> records;
    std::string error;
    ASSERT_TRUE(reader.Read(GetParam().script, records, error)) << error;
    EXPECT_EQ(Describe(records), GetParam().expected);
}

const std::string kFormat = "[Format]\nForm: Name, Width, Height\nButton: Caption, Left, Top\n";

INSTANTIATE_TEST_SUITE_P(
    Scripts, SkinScriptReaderTable,
    testing::Values(
        ReaderCase{"FormColumns", kFormat + "[Objects]\nForm: Main, 200, 60\n",
                   "Form[Name=Main|Width=200|Height=60]"},
        ReaderCase{"NoFormatBuildsDefaults", "[Objects]\nForm: A, 1\nButton: x, 2\n", "Form[];Button[]"},
        ReaderCase{"ButtonBeforeFormDropped", kFormat + "[Objects]\nButton: early\nForm: F\nButton: late\n",
                   "Form[Name=F];Button[Caption=late]"},
        ReaderCase{"LinesBeforeHeaderAndCommentsIgnored",
                   "Form: lost\n; Form: comment\n" + kFormat + "[Objects]\n;Form: no\nForm: yes\n",
                   "Form[Name=yes]"},
        ReaderCase{"OtherBracketLineKeepsSection", kFormat + "[Objects]\n[Buttons]\nForm: A\n",
                   "Form[Name=A]"},
        ReaderCase{"HeadersWithoutRegardToCase", "[FORMAT]\nform: name\n[objects]\nFORM: Up\n",
                   "Form[name=Up]"},
        ReaderCase{"HeaderMustBeWholeLine", kFormat + "[Objects] \nForm: A\n", ""},
        ReaderCase{"CommaCutsCaption", kFormat + "[Objects]\nForm: F\nButton: Hello, World\n",
                   "Form[Name=F];Button[Caption=Hello|Left=World]"},
        ReaderCase{"ColonLastGivesColonValue", kFormat + "[Objects]\nForm: F\nButton:\n",
                   "Form[Name=F];Button[Caption=:]"},
        ReaderCase{"SecondBlankStaysInValue", kFormat + "[Objects]\nForm: F\nButton: a,  b\n",
                   "Form[Name=F];Button[Caption=a|Left= b]"},
        ReaderCase{"ExtraValuesIgnored", kFormat + "[Objects]\nForm: F, 1, 2, 3, 4\n",
                   "Form[Name=F|Width=1|Height=2]"},
        ReaderCase{
            "LaterFormatChangesLaterLines",
            kFormat +
                "[Objects]\nForm: F\nButton: a, 1\n[Format]\nButton: Left, Top\n[Objects]\nButton: 5, 6\n",
            "Form[Name=F];Button[Caption=a|Left=1];Button[Left=5|Top=6]"},
        ReaderCase{"SpeedButtonUsesButtonList", kFormat + "[Objects]\nForm: F\nSpeedButton: s\n",
                   "Form[Name=F];SpeedButton[Caption=s]"},
        ReaderCase{"FullScreenSwapBeforeForm",
                   "[Format]\nFullScreenSwap: WindowForm\n[Objects]\nFullScreenSwap: W\n",
                   "FullScreenSwap[WindowForm=W]"},
        ReaderCase{"InfoLinesChangeNothing", "[Skins Info]\nTitle: x\nForm: no\n", ""},
        ReaderCase{"OtherKeysIgnored", kFormat + "[Objects]\nWindow: x\nForm: F\n", "Form[Name=F]"},
        ReaderCase{"CrLfAndEmptyLines", "[Format]\r\n\r\nForm: Name\r\r\n[Objects]\rForm: A\r\n",
                   "Form[Name=A]"}),
    [](const testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.name); });

TEST(SkinScriptReader, LongValuesSplitIntoValuesOf300) {
    SkinScriptReader reader;
    std::vector<SkinObjectRecord> records;
    std::string error;
    ASSERT_TRUE(
        reader.Read(kFormat + "[Objects]\nForm: F\nButton: " + std::string(650, 'b') + "\n", records, error));
    ASSERT_EQ(records.size(), 2u);
    ASSERT_EQ(records[1].values.size(), 3u);
    EXPECT_EQ(records[1].values[0].value.size(), 300u);
    EXPECT_EQ(records[1].values[1].value.size(), 300u);
    EXPECT_EQ(records[1].values[2].value.size(), 50u);
}

TEST(SkinScriptReader, ColumnNamesHold99Characters) {
    SkinScriptReader reader;
    std::vector<SkinObjectRecord> records;
    std::string error;
    ASSERT_TRUE(
        reader.Read("[Format]\nForm: " + std::string(150, 'c') + "\n[Objects]\nForm: v\n", records, error));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].values[0].column, std::string(99, 'c'));
}

// A line longer than 2,500 characters goes on in a second line, without losing the character where
// it was cut.
TEST(SkinScriptReader, OverlongLineContinuesWithoutLoss) {
    SkinScriptReader reader;
    std::vector<SkinObjectRecord> records;
    std::string error;
    std::string first = "Form: " + std::string(SkinScriptReader::kMaxLine - 6, 'a');
    ASSERT_TRUE(reader.Read("[Format]\nForm: Name\nButton: Caption\n[Objects]\n" + first + "Button: B\n",
                            records, error));
    EXPECT_EQ(Describe(records), "Form[Name=" + std::string(300, 'a') + "];Button[Caption=B]");
}

TEST(SkinScriptReader, TooManyObjectsRefused) {
    std::string script = "[Objects]\n";
    for (std::size_t i = 0; i <= SkinScriptReader::kMaxObjects; ++i) {
        script += "Form:\n";
    }
    SkinScriptReader reader;
    std::vector<SkinObjectRecord> records;
    std::string error;
    EXPECT_FALSE(reader.Read(script, records, error));
    EXPECT_NE(error.find("4096"), std::string::npos);
    EXPECT_TRUE(records.empty());
}

} // namespace
