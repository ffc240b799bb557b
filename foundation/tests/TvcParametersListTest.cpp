#include "foundation/TvcParametersList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::u16string>;

// "name=value", or "name" for a valueless entry.
std::u16string Describe(const TParameterEntry& e) {
    return std::u16string(e.Name.get()) + (e.Value ? u"=" + std::u16string(e.Value.get()) : u"");
}

Texts Entries(const TvcParametersList& list) {
    Texts out;
    for (const TParameterEntry* e = list.Head; e; e = e->Next) {
        out.push_back(Describe(*e));
    }
    return out;
}

TEST(TvcParametersListTest, EmptyValueMovesTheNameToTheEndWithoutValue) {
    TvcParametersList list;
    EXPECT_TRUE(list.Add(u"A", u"1", false));
    EXPECT_TRUE(list.Add(u"B", u"2", false));
    EXPECT_TRUE(list.Add(u"A", u"", false));
    EXPECT_EQ(Entries(list), (Texts{u"B=2", u"A"}));
    std::u16string value = u"stale";
    EXPECT_TRUE(list.GetValue(u"A", value));
    EXPECT_EQ(value, u"");
    EXPECT_TRUE(list.Add(u"B", nullptr, false));
    EXPECT_EQ(Entries(list), (Texts{u"A", u"B"}));
}

TEST(TvcParametersListTest, UpdatesInPlaceDuplicatesAndCase) {
    TvcParametersList list;
    list.Add(u"A", u"1", false);
    list.Add(u"B", u"2", false);
    list.Add(u"A", u"3", false);
    list.Add(u"a", u"4", false);
    list.Add(u"B", u"5", true);
    EXPECT_EQ(Entries(list), (Texts{u"A=3", u"B=2", u"a=4", u"B=5"}));

    std::u16string value;
    EXPECT_TRUE(list.GetValue(u"B", value));
    EXPECT_EQ(value, u"2");
    EXPECT_EQ(list.Current, list.Head->Next); // the cursor stays on the entry found
    EXPECT_TRUE(list.GetValue(u"a", value));
    EXPECT_EQ(value, u"4");
}

TEST(TvcParametersListTest, MissingNameIsRefusedAndTheListKept) {
    TvcParametersList list;
    list.Add(u"A", u"1", false);
    list.Add(u"B", u"2", false);
    EXPECT_FALSE(list.Add(nullptr, u"x", false));
    EXPECT_FALSE(list.Add(u"", u"x", true));
    EXPECT_EQ(Entries(list), (Texts{u"A=1", u"B=2"}));

    std::u16string value = u"stale";
    EXPECT_FALSE(list.GetValue(u"C", value));
    EXPECT_EQ(value, u"");
    EXPECT_FALSE(list.GetValue(nullptr, value));
    EXPECT_EQ(list.Current, list.Tail); // a failed walk ends on the last entry
    list.Clear();
    EXPECT_EQ(list.Count, 0);
    EXPECT_FALSE(list.GetValue(u"A", value));
}

TEST(TvcParametersListTest, EntrySetKeepsNameAndDropsEmptyValues) {
    struct Case {
        const char16_t* name;
        const char16_t* value;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"new", u"v", u"new=v"},  {nullptr, u"v", u"old=v"}, {u"", u"v", u"old=v"},
        {u"old", nullptr, u"old"}, {u"old", u"", u"old"},
    };
    for (const Case& c : cases) {
        TParameterEntry e;
        e.Set(u"old", u"before");
        e.Set(c.name, c.value);
        EXPECT_EQ(Describe(e), c.expected);
    }
}

} // namespace
