// The list operations the editor and the profile model share, on the style and event lists: random
// operation sequences checked after every step against a reference list, and the edge cases of
// iteration, clearing, removal and reordering.
#include "foundation/TPointer.h"
#include "subtitles/scripts/TStyles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <list>
#include <memory>
#include <random>

namespace {

struct Item : TListItem<Item> {
    int Id = 0;
};

Item* Make(TPointer<Item>& list, Item* after, int id) {
    auto item = std::make_unique<Item>();
    item->Id = id;
    return list.Insert(after, std::move(item));
}

Item* Find(const TPointer<Item>& list, int id) {
    for (Item* item = list.Head; item != nullptr; item = item->Next) {
        if (item->Id == id) {
            return item;
        }
    }
    return nullptr;
}

void ExpectSame(const TPointer<Item>& list, const std::list<int>& reference) {
    ASSERT_EQ(list.Count, static_cast<int32_t>(reference.size()));
    std::vector<int> forward;
    for (Item* item = list.Head; item != nullptr; item = item->Next) {
        forward.push_back(item->Id);
        if (item->Next != nullptr) {
            ASSERT_EQ(item->Next->Prev, item);
        }
    }
    std::vector<int> backward;
    for (Item* item = list.Tail; item != nullptr; item = item->Prev) {
        backward.push_back(item->Id);
    }
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(forward, std::vector<int>(reference.begin(), reference.end()));
    EXPECT_EQ(backward, forward);
    EXPECT_EQ(list.Head == nullptr, reference.empty());
}

} // namespace

TEST(ModelListsTest, RandomOperationsMatchAReferenceList) {
    std::mt19937 random(20261211);
    TPointer<Item> list;
    std::list<int> reference;
    int nextId = 1;
    for (int step = 0; step < 4000; ++step) {
        const int operation = static_cast<int>(random() % 5);
        const int pick = reference.empty() ? 0 : static_cast<int>(random() % reference.size());
        auto at = std::next(reference.begin(), pick);
        Item* item = reference.empty() ? nullptr : Find(list, *at);
        switch (operation) {
        case 0: // insert after (the tail when none)
            Make(list, item, nextId);
            reference.insert(item != nullptr ? std::next(at) : reference.end(), nextId++);
            EXPECT_EQ(list.Current->Id, nextId - 1);
            break;
        case 1: { // insert before (the head when none)
            auto made = std::make_unique<Item>();
            made->Id = nextId;
            list.InsertBefore(item, std::move(made));
            reference.insert(item != nullptr ? at : reference.begin(), nextId++);
            break;
        }
        case 2: // remove: the cursor moves to the predecessor, else the head
            if (item != nullptr) {
                const bool wasCursor = list.Current == item;
                Item* before = item->Prev;
                list.Delete(item);
                reference.erase(at);
                if (wasCursor) {
                    EXPECT_EQ(list.Current, before != nullptr ? before : list.Head);
                }
            }
            break;
        case 3: // move down
            if (item != nullptr) {
                const bool moved = list.SwapWithNext(item);
                EXPECT_EQ(moved, std::next(at) != reference.end());
                if (moved) {
                    std::iter_swap(at, std::next(at));
                }
            }
            break;
        default: { // renumber
            list.Renumber();
            int32_t number = 0;
            for (Item* walk = list.Head; walk != nullptr; walk = walk->Next) {
                EXPECT_EQ(walk->Index, ++number);
            }
            break;
        }
        }
        ExpectSame(list, reference);
        if (::testing::Test::HasFailure()) {
            FAIL() << "at step " << step;
        }
    }
}

TEST(ModelListsTest, IterationClearingAndRemovalEdgeCases) {
    TPointer<TStyles> styles;
    EXPECT_EQ(styles.Clear(), 0);
    EXPECT_FALSE(styles.First());
    EXPECT_EQ(styles.Current, nullptr);

    TStyles* only = styles.Add();
    EXPECT_TRUE(styles.First());
    EXPECT_FALSE(styles.Next());
    EXPECT_EQ(styles.Current, only);

    TStyles* second = styles.Add();
    TStyles* third = styles.Add();
    styles.SetCursor(nullptr);
    EXPECT_TRUE(styles.Next()); // an empty cursor moves to the tail
    EXPECT_EQ(styles.Current, third);

    styles.SetCursor(only);
    EXPECT_TRUE(styles.Delete()); // the head while it is the cursor: the cursor becomes the new head
    EXPECT_EQ(styles.Head, second);
    EXPECT_EQ(styles.Current, second);

    EXPECT_TRUE(styles.SwapWithNext(second)); // the second-to-last becomes the tail
    EXPECT_EQ(styles.Tail, second);
    EXPECT_EQ(styles.Head, third);
    EXPECT_FALSE(styles.SwapWithNext(second));

    EXPECT_EQ(styles.Clear(), 2);
    EXPECT_EQ(styles.Current, nullptr);
    EXPECT_EQ(styles.Count, 0);
}
