#include "foundation/TPointer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Item : TListItem<Item> {
    Item() = default;
    explicit Item(int id, std::vector<int>* deleted = nullptr) : id(id), deleted(deleted) {}
    ~Item() {
        if (deleted) {
            deleted->push_back(id);
        }
    }
    int id = 0;
    std::vector<int>* deleted = nullptr;
};

// A list of items 1..count; `deleted` records destruction order.
void Fill(TPointer<Item>& list, int count, std::vector<int>* deleted = nullptr) {
    for (int id = 1; id <= count; ++id) {
        list.Insert(nullptr, std::make_unique<Item>(id, deleted));
    }
}

Item* ById(TPointer<Item>& list, int id) {
    for (Item* item = list.Head; item; item = item->Next) {
        if (item->id == id) {
            return item;
        }
    }
    return nullptr;
}

int CursorId(const TPointer<Item>& list) {
    return list.Current ? list.Current->id : 0;
}

// The ids from head to tail, checked against the links in both directions and the count.
std::vector<int> Ids(const TPointer<Item>& list) {
    std::vector<int> forward, backward;
    for (const Item* item = list.Head; item; item = item->Next) {
        forward.push_back(item->id);
    }
    for (const Item* item = list.Tail; item; item = item->Prev) {
        backward.insert(backward.begin(), item->id);
    }
    EXPECT_EQ(forward, backward);
    EXPECT_EQ(static_cast<int>(forward.size()), list.Count);
    return forward;
}

enum class Op { First, Last, Next, Prev, Delete };

TEST(TPointerTest, CursorRules) {
    struct Case {
        const char* name;
        int size;
        int cursor; // id, 0 for none
        Op op;
        int target; // Delete's item id, 0 for none (the current item)
        bool result;
        int cursorAfter;
        std::vector<int> idsAfter;
    };
    const Case cases[] = {
        {"First", 3, 2, Op::First, 0, true, 1, {1, 2, 3}},
        {"First of empty", 0, 0, Op::First, 0, false, 0, {}},
        {"Last", 3, 0, Op::Last, 0, true, 3, {1, 2, 3}},
        {"Last of empty", 0, 0, Op::Last, 0, false, 0, {}},
        {"Next", 3, 1, Op::Next, 0, true, 2, {1, 2, 3}},
        {"Next at the end stays", 3, 3, Op::Next, 0, false, 3, {1, 2, 3}},
        {"Next without cursor goes to the tail", 3, 0, Op::Next, 0, true, 3, {1, 2, 3}},
        {"Next in empty list", 0, 0, Op::Next, 0, false, 0, {}},
        {"Prev", 3, 3, Op::Prev, 0, true, 2, {1, 2, 3}},
        {"Prev at the start stays", 3, 1, Op::Prev, 0, false, 1, {1, 2, 3}},
        {"Prev without cursor goes to the head", 3, 0, Op::Prev, 0, true, 1, {1, 2, 3}},
        {"Delete current moves back", 3, 2, Op::Delete, 0, true, 1, {1, 3}},
        {"Delete current head moves to new head", 3, 1, Op::Delete, 0, true, 2, {2, 3}},
        {"Delete current tail", 3, 3, Op::Delete, 0, true, 2, {1, 2}},
        {"Delete last item empties cursor", 1, 1, Op::Delete, 0, true, 0, {}},
        {"Delete other keeps cursor", 3, 1, Op::Delete, 3, true, 1, {1, 2}},
        {"Delete without cursor moves to head", 3, 0, Op::Delete, 1, true, 2, {2, 3}},
        {"Delete nothing", 3, 0, Op::Delete, 0, false, 0, {1, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPointer<Item> list;
        Fill(list, c.size);
        list.Current = c.cursor ? ById(list, c.cursor) : nullptr;
        bool result = false;
        switch (c.op) {
        case Op::First:
            result = list.First();
            break;
        case Op::Last:
            result = list.Last();
            break;
        case Op::Next:
            result = list.Next();
            break;
        case Op::Prev:
            result = list.Prev();
            break;
        case Op::Delete:
            result = list.Delete(c.target ? ById(list, c.target) : nullptr);
            break;
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(CursorId(list), c.cursorAfter);
        EXPECT_EQ(Ids(list), c.idsAfter);
    }
}

TEST(TPointerTest, ClearDeletesTailFirstAndCounts) {
    std::vector<int> deleted;
    TPointer<Item> list;
    EXPECT_EQ(list.Clear(), 0);
    Fill(list, 3, &deleted);
    list.First();
    EXPECT_EQ(list.Clear(), 3);
    EXPECT_EQ(deleted, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(list.Current, nullptr);
    EXPECT_EQ(list.Head, nullptr);
    EXPECT_EQ(list.Tail, nullptr);
    EXPECT_EQ(list.Count, 0);
}

TEST(TPointerTest, DestructorDeletesEveryItem) {
    std::vector<int> deleted;
    {
        TPointer<Item> list;
        Fill(list, 4, &deleted);
    }
    EXPECT_EQ(deleted.size(), 4u);
}

TEST(TPointerTest, InsertPositionsCursorAndIndexWord) {
    TPointer<Item> list;
    Item* two = list.Insert(nullptr, std::make_unique<Item>(2));
    list.Insert(nullptr, std::make_unique<Item>(4));
    list.InsertBefore(nullptr, std::make_unique<Item>(1));
    list.Insert(two, std::make_unique<Item>(3));
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(CursorId(list), 3);
    list.InsertBefore(ById(list, 1), std::make_unique<Item>(0));
    EXPECT_EQ(Ids(list), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(CursorId(list), 0);
    EXPECT_EQ(list.Insert(nullptr, nullptr), nullptr);
    EXPECT_EQ(list.Count, 5);

    list.Current = ById(list, 2);
    list.Renumber();
    EXPECT_EQ(CursorId(list), 2);
    for (Item* item = list.Head; item; item = item->Next) {
        EXPECT_EQ(item->Index, item->id + 1);
    }
    Item* added = list.Add(two);
    EXPECT_EQ(added->Index, 0); // not numbered until the next Renumber
    EXPECT_EQ(list.Current, added);
    EXPECT_EQ(added->Prev, two);
    Item* first = list.AddBefore();
    EXPECT_EQ(list.Head, first);
    EXPECT_EQ(list.Count, 7);
}

TEST(TPointerTest, ReleaseHandsOverTheChain) {
    std::vector<int> deleted;
    TPointer<Item> list;
    Fill(list, 2, &deleted);
    std::unique_ptr<Item> head(list.Release());
    EXPECT_EQ(list.Count, 0);
    EXPECT_EQ(list.Head, nullptr);
    EXPECT_EQ(list.Clear(), 0);
    EXPECT_TRUE(deleted.empty());
    std::unique_ptr<Item> second(head->Next);
    EXPECT_EQ(second->id, 2);
}

} // namespace

namespace {

TEST(TPointerTest, SwapWithNextExchangesNeighbours) {
    struct Case {
        int swapped;
        std::vector<int> after;
        bool result;
    };
    const Case cases[] = {
        {1, {2, 1, 3, 4}, true},  // at the head
        {2, {1, 3, 2, 4}, true},  // inside
        {3, {1, 2, 4, 3}, true},  // before the tail
        {4, {1, 2, 3, 4}, false}, // the tail has no next
    };
    for (const Case& c : cases) {
        TPointer<Item> list;
        Fill(list, 4);
        EXPECT_EQ(list.SwapWithNext(ById(list, c.swapped)), c.result) << c.swapped;
        EXPECT_EQ(Ids(list), c.after) << c.swapped;
    }
    TPointer<Item> list;
    EXPECT_FALSE(list.SwapWithNext(nullptr));
}

TEST(TPointerTest, UnlinkHandsTheItemOverWithoutDestroyingIt) {
    std::vector<int> deleted;
    TPointer<Item> list;
    Fill(list, 3, &deleted);
    list.SetCursor(ById(list, 2));
    std::unique_ptr<Item> taken = list.Unlink();
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->id, 2);
    EXPECT_EQ(taken->Next, nullptr);
    EXPECT_EQ(taken->Prev, nullptr);
    EXPECT_TRUE(deleted.empty());
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(CursorId(list), 1) << "the cursor moves to the previous item";

    list.SetCursor(ById(list, 1));
    EXPECT_EQ(list.Unlink()->id, 1);
    EXPECT_EQ(CursorId(list), 3) << "without a previous item, to the head";

    // Taken items can be linked in again elsewhere.
    list.InsertBefore(nullptr, std::move(taken));
    EXPECT_EQ(Ids(list), (std::vector<int>{2, 3}));
    list.SetCursor(nullptr);
    EXPECT_FALSE(list.Unlink());
    EXPECT_EQ(CursorId(list), 0);
}

} // namespace
