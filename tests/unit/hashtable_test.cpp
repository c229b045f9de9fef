// The keyed registry: the first value of a key wins, null values, removal, listing.
#include <gtest/gtest.h>

#include "support/log_capture.h"
#include "util/hashtable.h"

namespace {

int a = 1, b = 2, c = 3;

TEST(Hashtable, TheFirstNonNullValueOfAnExactKeyWins) {
  Hashtable<int*> table;
  table.Add("x", &a);
  table.Add("x", &b);
  table.Add("X", &c);  // keys are case-sensitive and exact
  table.Add("x ", &c);
  EXPECT_EQ(table.Count(), 3);
  EXPECT_EQ(table.Get("x"), &a);
  EXPECT_EQ(table.IndexOf("x "), 2);
  EXPECT_EQ(table.IndexOf("y"), -1);

  // A null value counts as absent for Add, but the first entry still wins
  // lookups, and Remove takes the last entry of the key.
  Hashtable<int*> nulls;
  nulls.Add("x", nullptr);
  nulls.Add("x", &a);
  ASSERT_EQ(nulls.Count(), 2);
  EXPECT_EQ(nulls.Get("x"), nullptr);
  nulls.Remove("x");
  ASSERT_EQ(nulls.Count(), 1);
  EXPECT_EQ(nulls.ValueAt(0), nullptr);
}

TEST(Hashtable, RemovalKeepsTheOrderAndPrintEndsLinesWithLineFeedThenCarriageReturn) {
  Hashtable<int*> table;
  LogCapture log;
  table.Print();
  EXPECT_EQ(log.Text(), "Hashtable is empty\r\n");
  log.Clear();
  table.Add("a", &a);
  table.Add("b", &b);
  table.Add("c", &c);
  table.Remove("b");
  table.Remove("missing");
  table.Print();
  EXPECT_EQ(log.Text(), "0 - a\n\r1 - c\n\r");
  EXPECT_EQ(table.ValueAt(1), &c);
  EXPECT_EQ(table.IndexOf("c"), 1);
}

}  // namespace
