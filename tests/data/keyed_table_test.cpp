#include <gtest/gtest.h>

#include "data/keyed_table.h"

namespace {

std::vector<INT_PTR> keysOf(const KeyedTable& table) {
    std::vector<INT_PTR> keys;
    table.keys(keys);
    return keys;
}

}  // namespace

TEST(KeyedTable, WithoutTableNothingIsStored) {
    KeyedTable table;
    EXPECT_FALSE(table.isCreated());
    EXPECT_EQ(table.set(1, 2), -1);
    EXPECT_EQ(table.get(1), 0);
    EXPECT_FALSE(table.containsKey(1));
    EXPECT_EQ(table.remove(1), 0);
    EXPECT_TRUE(keysOf(table).empty());
}

TEST(KeyedTable, SetGetReplaceRemove) {
    KeyedTable table;
    ASSERT_TRUE(table.create());
    EXPECT_EQ(table.set(7, 70), 0);
    EXPECT_EQ(table.set(7, 71), 1);
    EXPECT_EQ(table.get(7), 71);
    EXPECT_EQ(table.set(8, 0), 0);
    EXPECT_EQ(table.get(8), 0);  // a stored 0 reads like an absent key...
    EXPECT_TRUE(table.containsKey(8));  // ...but is there
    EXPECT_EQ(table.get(9), 0);
    EXPECT_FALSE(table.containsKey(9));
    EXPECT_EQ(table.remove(7), 1);
    EXPECT_EQ(table.remove(7), 0);
    EXPECT_EQ(table.count(), 1u);
}

TEST(KeyedTable, NinthKeyGrowsTheBucketsFrom11To23) {
    KeyedTable table;
    table.create();
    for (INT_PTR key = 100; key < 108; ++key) table.set(key, key);
    EXPECT_EQ(table.bucketCount(), 11u);
    table.set(108, 108);
    EXPECT_EQ(table.bucketCount(), 23u);
    for (INT_PTR key = 100; key <= 108; ++key) EXPECT_EQ(table.get(key), key);
    // Threshold 17 at 23 buckets: the 18th key grows to 47.
    for (INT_PTR key = 109; key < 117; ++key) table.set(key, key);
    EXPECT_EQ(table.bucketCount(), 23u);
    table.set(117, 117);
    EXPECT_EQ(table.bucketCount(), 47u);
}

TEST(KeyedTable, KeysComeBucketByBucketNewestFirstInABucket) {
    KeyedTable table;
    table.create();
    table.set(1, 0);
    table.set(12, 0);  // bucket 1 too, put at the head of the chain
    table.set(3, 0);
    table.set(0, 0);
    EXPECT_EQ(keysOf(table), (std::vector<INT_PTR>{0, 12, 1, 3}));
}

TEST(KeyedTable, GrowingMovesEachEntryToTheHeadOfItsNewChain) {
    KeyedTable table;
    table.create();
    // 0, 253 and 506 share bucket 0 of 11 buckets and of 23 buckets.
    for (INT_PTR key : {0, 253, 506, 2, 3, 4, 5, 6}) table.set(key, 0);
    EXPECT_EQ(keysOf(table), (std::vector<INT_PTR>{506, 253, 0, 2, 3, 4, 5, 6}));
    table.set(7, 0);
    // The chain 506, 253, 0 is moved entry by entry, each to the head.
    EXPECT_EQ(keysOf(table), (std::vector<INT_PTR>{0, 253, 506, 2, 3, 4, 5, 6, 7}));
}

TEST(KeyedTable, NegativeKeysUseTheKeyWithoutItsSignBit) {
    KeyedTable table;
    table.create();
    EXPECT_EQ(table.set(-5, 50), 0);
    EXPECT_EQ(table.set(INT_PTR(0x7FFFFFFB), 60), 0);  // same bucket, another key
    EXPECT_EQ(table.get(-5), 50);
    EXPECT_EQ(table.get(0x7FFFFFFB), 60);
    // -5 without its sign bit is 0x7FFFFFFB: one chain, newest first.
    EXPECT_EQ(keysOf(table), (std::vector<INT_PTR>{0x7FFFFFFB, -5}));
}

TEST(KeyedTable, CopiesShareOneTableAndCreateReplacesIt) {
    KeyedTable table;
    table.create();
    table.set(1, 10);
    KeyedTable copy = table;
    copy.set(2, 20);
    EXPECT_EQ(table.get(2), 20);
    table.create();  // this object takes a new empty table; the copy keeps the old
    EXPECT_FALSE(table.containsKey(1));
    EXPECT_EQ(copy.get(1), 10);
}

TEST(KeyedTable, ClearKeepsTheBucketCount) {
    KeyedTable table;
    table.create();
    for (INT_PTR key = 0; key < 20; ++key) table.set(key, key);
    size_t buckets = table.bucketCount();
    table.clear();
    EXPECT_EQ(table.count(), 0u);
    EXPECT_EQ(table.bucketCount(), buckets);
    EXPECT_TRUE(keysOf(table).empty());
    EXPECT_EQ(table.set(3, 4), 0);
    EXPECT_EQ(table.get(3), 4);
}
