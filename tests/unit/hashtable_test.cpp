// The keyed registry: order, duplicates, null values, removal, listing.
#include <gtest/gtest.h>

#include "support/log_capture.h"
#include "util/hashtable.h"

namespace {

int a = 1, b = 2, c = 3;

TEST(Hashtable, AddingAKeyTwiceKeepsTheFirstValue) {
  Hashtable<int*> table;
  table.Add("x", &a);
  table.Add("x", &b);
  EXPECT_EQ(table.Count(), 1);
  EXPECT_EQ(table.Get("x"), &a);
}

TEST(Hashtable, ANullValueCountsAsAbsentForAdd) {
  Hashtable<int*> table;
  table.Add("x", nullptr);
  table.Add("x", &a);
  ASSERT_EQ(table.Count(), 2);
  EXPECT_EQ(table.Get("x"), nullptr);  // the first entry still wins lookups
  table.Remove("x");                   // and the later one is removed
  ASSERT_EQ(table.Count(), 1);
  EXPECT_EQ(table.ValueAt(0), nullptr);
}

TEST(Hashtable, RemovingTheMiddleEntryKeepsTheOrder) {
  Hashtable<int*> table;
  table.Add("a", &a);
  table.Add("b", &b);
  table.Add("c", &c);
  table.Remove("b");
  ASSERT_EQ(table.Count(), 2);
  EXPECT_EQ(table.KeyAt(0), "a");
  EXPECT_EQ(table.KeyAt(1), "c");
  EXPECT_EQ(table.ValueAt(1), &c);
  EXPECT_EQ(table.IndexOf("c"), 1);
  table.Remove("missing");
  EXPECT_EQ(table.Count(), 2);
}

TEST(Hashtable, KeysAreCaseSensitiveAndExact) {
  Hashtable<int*> table;
  table.Add("Key", &a);
  table.Add("key", &b);
  table.Add("key ", &c);
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(table.Get("key"), &b);
  EXPECT_EQ(table.Get("KEY"), nullptr);
  EXPECT_EQ(table.IndexOf("KEY"), -1);
}

TEST(Hashtable, KeyOfAndContainsCompareIdentity) {
  Hashtable<int*> table;
  table.Add("a", &a);
  EXPECT_EQ(table.KeyOf(&a), "a");
  EXPECT_EQ(table.KeyOf(&b), "");
  EXPECT_TRUE(table.Contains(&a));
  EXPECT_FALSE(table.Contains(&b));
}

TEST(Hashtable, PrintListsKeysWithLineFeedThenCarriageReturn) {
  Hashtable<int*> table;
  {
    LogCapture log;
    table.Print();
    EXPECT_EQ(log.Text(), "Hashtable is empty\r\n");
  }
  table.Add("a", &a);
  table.Add("b", &b);
  LogCapture log;
  table.Print();
  EXPECT_EQ(log.Text(), "0 - a\n\r1 - b\n\r");
}

TEST(Hashtable, CopiesShareValuesButNotEntries) {
  Hashtable<int*> table;
  table.Add("a", &a);
  Hashtable<int*> copy(table);
  table.Clear();
  EXPECT_EQ(table.Count(), 0);
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.Get("a"), &a);
}

TEST(Hashtable, SwapMovesKeysWithTheirValues) {
  Hashtable<int*> table;
  table.Add("a", &a);
  table.Add("b", &b);
  table.Swap(0, 1);
  EXPECT_EQ(table.KeyAt(0), "b");
  EXPECT_EQ(table.ValueAt(0), &b);
  EXPECT_EQ(table.Get("a"), &a);
}

}  // namespace
