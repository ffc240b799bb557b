// Item handles: a handle names its item until the item is forgotten; then it names nothing, also
// after its slot holds another item; cursors copied around go stale with their items.
#include "editor/TItemRegistry.h"
#include "editor/TProfileCursor.h"
#include "subtitles/profiles/TSelect.h"

#include <gtest/gtest.h>

TEST(ItemRegistryTest, HandlesResolveUntilTheirItemIsForgotten) {
    TItemRegistry registry;
    int a = 0;
    int b = 0;
    const uint32_t handleA = registry.HandleOf(&a);
    EXPECT_NE(handleA, 0u);
    EXPECT_EQ(registry.HandleOf(&a), handleA);
    EXPECT_EQ(registry.Resolve(handleA), &a);
    EXPECT_EQ(registry.HandleOf(nullptr), 0u);
    EXPECT_EQ(registry.Resolve(0), nullptr);

    registry.Forget(&a);
    EXPECT_EQ(registry.Resolve(handleA), nullptr);
    // The slot is reused for another item under a new generation: the old handle stays stale.
    const uint32_t handleB = registry.HandleOf(&b);
    EXPECT_EQ(handleB & TItemRegistry::kSlotMask, handleA & TItemRegistry::kSlotMask);
    EXPECT_NE(handleB, handleA);
    EXPECT_EQ(registry.Resolve(handleA), nullptr);
    EXPECT_EQ(registry.Resolve(handleB), &b);
    // Handles from nowhere name nothing.
    EXPECT_EQ(registry.Resolve(0xFFFFFFFFu), nullptr);
    EXPECT_EQ(registry.Resolve(handleB + 1), nullptr);
}

TEST(ItemRegistryTest, ForgetAllMakesEveryCursorStale) {
    TSelect select;
    TProfileCursor cursor;
    cursor.ItemKind = TProfileCursor::kSelect;
    cursor.Select = TItemRef<TSelect>::Of(&select);
    const TProfileCursor copy = cursor;
    EXPECT_EQ(copy.Select.Get(), &select);
    EXPECT_FALSE(copy.IsEmpty());

    TItemRegistry::Instance().ForgetAll();
    EXPECT_EQ(cursor.Select.Get(), nullptr);
    EXPECT_EQ(copy.Select.Get(), nullptr);
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(TItemRegistry::Instance().LiveCount(), 0u);
}
