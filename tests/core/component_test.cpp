#include <gtest/gtest.h>

#include "core/component.h"
#include "core/exceptions.h"
#include "test_components.h"

namespace {

// Counts destructor calls so ownership can be checked without leaks or double frees.
class TCounted : public TComponent {
 public:
  TCounted(TComponent* AOwner, int* Deaths) : TComponent(AOwner), Deaths_(Deaths) {}
  ~TCounted() override { ++*Deaths_; }

 private:
  int* Deaths_;
};

TEST(Component, OwnerFreesEverythingItOwnsOnce) {
  int deaths = 0;
  auto* root = new TComponent(nullptr);
  auto* a = new TCounted(root, &deaths);
  new TCounted(a, &deaths);  // owned by a, freed with it
  new TCounted(root, &deaths);
  EXPECT_EQ(root->ComponentCount(), 2);
  EXPECT_EQ(a->ComponentCount(), 1);
  delete root;
  EXPECT_EQ(deaths, 3);
}

TEST(Component, FreeingAnOwnedComponentLeavesItsOwner) {
  int deaths = 0;
  TComponent root(nullptr);
  auto* a = new TCounted(&root, &deaths);
  auto* b = new TCounted(&root, &deaths);
  delete a;
  ASSERT_EQ(root.ComponentCount(), 1);
  EXPECT_EQ(root.Components(0), b);
  EXPECT_EQ(b->ComponentIndex(), 0);
}

TEST(Component, FreeNotificationDropsPointersBothWays) {
  TTestRoot root(nullptr);
  auto* a = new TTestWidget(&root);
  auto* b = new TTestWidget(&root);
  a->SetBuddy(b);
  b->SetBuddy(a);
  delete b;  // a is told and forgets b
  EXPECT_EQ(a->Buddy(), nullptr);

  // A partner owned elsewhere is told as well.
  TTestWidget outsider(nullptr);
  a->SetBuddy(&outsider);
  delete a;  // outsider's list must no longer hold a
  TTestWidget other(nullptr);
  outsider.SetBuddy(&other);
  EXPECT_EQ(outsider.Buddy(), &other);
}

TEST(Component, RemovedFreeNotificationIsNotSent) {
  TTestRoot root(nullptr);
  auto* a = new TTestWidget(&root);
  auto* b = new TTestWidget(&root);
  a->SetBuddy(b);
  a->SetBuddy(nullptr);
  b->SetBuddy(a);
  delete a;
  EXPECT_EQ(b->Buddy(), nullptr);
}

TEST(Component, NamesAreUniqueAmongSiblingsRegardlessOfCase) {
  TComponent root(nullptr);
  auto* a = new TComponent(&root);
  auto* b = new TComponent(&root);
  a->SetName("Label1");
  EXPECT_THROW(b->SetName("LABEL1"), EComponentError);
  EXPECT_THROW(b->SetName("1Label"), EComponentError);
  EXPECT_THROW(b->SetName("Label 2"), EComponentError);
  b->SetName("Label2");
  EXPECT_EQ(root.FindComponent("label2"), b);
  a->SetName("Label1");  // same name again is no change
  EXPECT_EQ(root.FindComponent("Label1"), a);
  EXPECT_EQ(root.FindComponent(""), nullptr);
}

TEST(Component, DestroyingStateReachesOwnedComponentsBeforeTheyGo) {
  struct TWatcher : TComponent {
    TWatcher(TComponent* O, bool* Seen) : TComponent(O), Seen_(Seen) {}
    ~TWatcher() override { *Seen_ = IsDestroying() && Owner() == nullptr; }
    bool* Seen_;
  };
  bool seen = false;
  auto* root = new TComponent(nullptr);
  new TWatcher(root, &seen);
  delete root;
  EXPECT_TRUE(seen);
}

TEST(Component, UpdatingIsCounted) {
  TComponent c(nullptr);
  c.Updating();
  c.Updating();
  c.Updated();
  EXPECT_TRUE(c.IsUpdating());
  c.Updated();
  EXPECT_FALSE(c.IsUpdating());
  c.Updated();  // unbalanced end is harmless
  EXPECT_FALSE(c.IsUpdating());
}

}  // namespace
