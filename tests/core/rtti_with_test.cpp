#include <gtest/gtest.h>

#include "core/rtti.h"

namespace {

class TWithSample : public TComponent {
 public:
  BREVANT_CLASS(TWithSample)
  using TComponent::TComponent;
  int Size() const { return Size_; }
  void SetSize(int V) { Size_ = V; }

 private:
  int Size_ = 4;
};

// A shared group of properties, as a family of classes publishes it.
template <class C>
void PublishSize(TClassBuilder<C>& B) {
  B.Property("Size", &C::Size, &C::SetSize).Default(4);
}

}  // namespace

BREVANT_DEFINE_CLASS(TWithSample, TComponent, .With(PublishSize<TWithSample>))

TEST(ClassBuilder, WithAddsAGroupOfPropertiesAndItsStoredRules) {
  const TPropInfo* p = TWithSample::StaticClassInfo().FindProperty("Size");
  ASSERT_NE(p, nullptr);
  TWithSample s(nullptr);
  EXPECT_FALSE(p->IsStored(s));
  s.SetSize(5);
  EXPECT_TRUE(p->IsStored(s));
}
