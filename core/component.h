#pragma once
// The component model: a component has an owner that frees it, a name unique among the
// components of its owner, a state (reading, loading, destroying, designing, updating),
// and free notifications that let other components drop their pointers to it.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/object.h"
#include "core/types.h"

enum TComponentStateFlag { csLoading, csReading, csWriting, csDestroying, csDesigning, csUpdating };
BREVANT_ENUM_NAMES(TComponentStateFlag, "csLoading", "csReading", "csWriting", "csDestroying", "csDesigning",
                   "csUpdating");
using TComponentState = TSet<TComponentStateFlag>;

enum TOperation { opInsert, opRemove };

class TLayoutReader;
struct TLayoutValue;

class TComponent : public TPersistent {
 public:
  BREVANT_CLASS(TComponent)

  explicit TComponent(TComponent* AOwner);
  // Sends the free notifications, frees every owned component (last first) and leaves
  // the owner. Derived classes that must act before their own members go away (close a
  // dataset, drop a window) do so in their own destructors.
  ~TComponent() override;

  TComponent* Owner() const { return Owner_; }
  const std::string& Name() const { return Name_; }
  // Raises EComponentError for a name that is not an identifier or that another
  // component of the same owner already has (compared regardless of case).
  virtual void SetName(const std::string& NewName);
  int64_t Tag() const { return Tag_; }
  void SetTag(int64_t Value) { Tag_ = Value; }

  int ComponentCount() const { return static_cast<int>(Components_.size()); }
  TComponent* Components(int Index) const { return Components_.at(static_cast<size_t>(Index)); }
  int ComponentIndex() const;
  // The owned component of that name (any case), or none.
  TComponent* FindComponent(const std::string& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);

  TComponentState ComponentState() const { return State_; }
  bool IsLoading() const { return State_.Contains(csLoading); }
  bool IsReading() const { return State_.Contains(csReading); }
  bool IsDestroying() const { return State_.Contains(csDestroying); }
  bool IsDesigning() const { return State_.Contains(csDesigning); }
  bool IsUpdating() const { return State_.Contains(csUpdating); }
  void SetDesigning(bool Value, bool SetChildren = true);

  // Asks AComponent to call Notification(this, opRemove) when it is freed (and the reverse).
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Marks this component and everything it owns as being destroyed.
  void Destroying();

  // Begins and ends a counted update: the component is in the updating state meanwhile.
  void Updating();
  void Updated();

  // Stored layouts: components that nest under another component in a layout (controls in
  // their parent, field objects in their dataset).
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent* /*Value*/) {}
  // Calls Proc for each component stored nested under this one, in layout order. Root is
  // the component whose layout is written.
  virtual void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root);
  // Reads this component's part of a layout: the base first joins the component it nests
  // in (SetParentComponent), then reads the published properties and nested components.
  // A class that must join only after its properties are set (a field object needs its
  // name before it joins a dataset) overrides this.
  virtual void ReadState(TLayoutReader& Reader);
  // Extra stored values beside the published properties (binary data, versions).
  virtual bool ReadStoredExtra(const std::string& Name, const TLayoutValue& Value);
  virtual void WriteStoredExtras(std::vector<std::pair<std::string, TLayoutValue>>& Out) const;

  // The name of the method a layout bound to an event property of this component.
  const std::string* BoundMethodName(const std::string& EventName) const;
  void SetBoundMethodName(const std::string& EventName, const std::string& MethodName);

 protected:
  // Another component was inserted into or removed from this one, or a component that this
  // one asked for a free notification is being freed.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  // Runs once the whole layout was read and every reference resolved; the base leaves the
  // loading state.
  virtual void Loaded();
  // Called whenever the counted update starts or ends.
  virtual void SetUpdateState(bool /*Updating*/) {}

  void IncludeState(TComponentStateFlag Flag) { State_.Include(Flag); }
  void ExcludeState(TComponentStateFlag Flag) { State_.Exclude(Flag); }

 private:
  friend class TLayoutReader;

  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void SendRemoveNotifications();

  TComponent* Owner_ = nullptr;
  std::string Name_;
  int64_t Tag_ = 0;
  std::vector<TComponent*> Components_;
  std::vector<TComponent*> FreeNotifies_;
  TComponentState State_;
  int UpdateCount_ = 0;
  std::map<std::string, std::string> BoundMethods_;
};

// True when Name can name a component: a letter or underscore, then letters, digits, underscores.
bool IsValidIdent(const std::string& Name);
