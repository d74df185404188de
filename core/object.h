#pragma once
// The root of the class tree. Every class of ours that takes part in stored layouts or
// needs its class name at run time carries a TClassInfo (see rtti.h), declared with
// BREVANT_CLASS in the class body and defined with BREVANT_DEFINE_CLASS in its .cpp.

#include <string>

class TClassInfo;

#define BREVANT_CLASS(Class)                     \
  static const TClassInfo& StaticClassInfo();    \
  const TClassInfo& ClassInfo() const override { \
    return StaticClassInfo();                    \
  }

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const { return StaticClassInfo(); }

  const std::string& ClassName() const;
  bool InheritsFrom(const TClassInfo& Class) const;
};

// An object that can copy itself from another of a compatible class and that can carry
// published properties.
class TPersistent : public TObject {
 public:
  BREVANT_CLASS(TPersistent)

  // Copies Source into this object. The base asks Source to assign itself to this, and
  // raises EConvertError "Cannot assign a %s to a %s" when neither side knows how.
  virtual void Assign(const TPersistent& Source);

  // The object that owns this one in stored layouts (for nested properties), or none.
  virtual TPersistent* GetOwner() const { return nullptr; }

 protected:
  virtual void AssignTo(TPersistent& Dest) const;
};
