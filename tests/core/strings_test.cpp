#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "core/strings.h"

TEST(StringList, OneChangeEventPerUpdateAndPerPlainChange) {
  TStringList list;
  int changing = 0;
  int changed = 0;
  list.OnChanging = [&](TObject*) { ++changing; };
  list.OnChange = [&](TObject*) { ++changed; };
  list.Add("a");
  EXPECT_EQ(changed, 1);
  list.BeginUpdate();
  list.Add("b");
  list.Add("c");
  list.Delete(0);
  EXPECT_EQ(changing, 2);  // the update announces itself once, at its start
  EXPECT_EQ(changed, 1);   // and reports its change once, at its end
  list.EndUpdate();
  EXPECT_EQ(changing, 2);
  EXPECT_EQ(changed, 2);
  list.Clear();
  list.Clear();  // already empty: nothing happens
  EXPECT_EQ(changed, 3);
}

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
  TStringList list;
  list.SetText("one\r\ntwo\rthree\nfour");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[1], "two");
  EXPECT_EQ(list[3], "four");
  EXPECT_EQ(list.Text(), "one\ntwo\nthree\nfour\n");
  list.SetText("x\n\ny\n");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[1], "");
}

TEST(StringList, NameValueLines) {
  TStringList params;
  params.Add("USER NAME=guest");
  params.Add("PATH=/data");
  EXPECT_EQ(params.Values("user name"), "guest");
  EXPECT_EQ(params.Names(1), "PATH");
  params.SetValue("PASSWORD", "secret");
  EXPECT_EQ(params[2], "PASSWORD=secret");
  params.SetValue("PATH", "");
  EXPECT_EQ(params.Count(), 2);
  EXPECT_EQ(params.IndexOfName("PATH"), -1);
}

TEST(StringList, SortedListsKeepOrderAndRefuseDuplicatesWhenAsked) {
  TStringList list;
  list.SetSorted(true);
  list.Add("pear");
  list.Add("Apple");
  list.Add("fig");
  EXPECT_EQ(list[0], "Apple");
  EXPECT_EQ(list.Add("APPLE"), 0);  // ignored duplicate
  EXPECT_EQ(list.Count(), 3);
  list.SetDuplicates(dupError);
  EXPECT_THROW(list.Add("fig"), EStringListError);
  EXPECT_EQ(list.IndexOf("PEAR"), 2);
  EXPECT_THROW(list.Insert(0, "x"), EStringListError);
}

TEST(StringList, IndexErrorsAreReported) {
  TStringList list;
  EXPECT_THROW(list.Get(0), EStringListError);
  EXPECT_THROW(list.Delete(-1), EStringListError);
  try {
    list.Get(5);
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (5)");
  }
}

TEST(StringList, AssignAndEquality) {
  TStringList a;
  a.SetText("x\ny");
  TStringList b;
  b.Assign(a);
  EXPECT_TRUE(b.Equals(a));
  b.Put(1, "Y");
  EXPECT_FALSE(b.Equals(a));
  EXPECT_EQ(b.IndexOf("y"), 1);  // lookups ignore case by default
  b.SetCaseSensitive(true);
  EXPECT_EQ(b.IndexOf("y"), -1);
}
