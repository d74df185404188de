#include "core/object.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "core/core_strings.h"
#include "core/exceptions.h"
#include "core/format.h"
#include "core/rtti.h"
#include "core/text.h"

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo info = [] {
    TClassInfo i;
    i.Name = "TObject";
    return i;
  }();
  return info;
}

const std::string& TObject::ClassName() const {
  return ClassInfo().Name;
}

bool TObject::InheritsFrom(const TClassInfo& Class) const {
  return ClassInfo().InheritsFrom(Class);
}

BREVANT_DEFINE_CLASS(TPersistent, TObject, )

void TPersistent::Assign(const TPersistent& Source) {
  Source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& Dest) const {
  throw EConvertError(Format(LoadResString(SAssignError), ClassName(), Dest.ClassName()));
}

bool TClassInfo::InheritsFrom(const TClassInfo& Other) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->Parent) {
    if (c == &Other) return true;
  }
  return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view PropName) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->Parent) {
    for (const TPropInfo& p : c->Properties) {
      if (SameText(p.Name, PropName)) return &p;
    }
  }
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::AllProperties() const {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = this; c != nullptr; c = c->Parent)
    chain.push_back(c);
  std::vector<const TPropInfo*> out;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    for (const TPropInfo& p : (*it)->Properties) {
      // A class may publish a property again to change its stored rule; the newest wins
      // and keeps the place of the first.
      auto same =
          std::find_if(out.begin(), out.end(), [&](const TPropInfo* q) { return SameText(q->Name, p.Name); });
      if (same != out.end()) {
        *same = &p;
      } else {
        out.push_back(&p);
      }
    }
  }
  return out;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view MethodName) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->Parent) {
    for (const TMethodInfo& m : c->Methods) {
      if (m.Name == MethodName) return &m;
    }
  }
  return nullptr;
}

namespace {

struct Registry {
  std::mutex Lock;
  std::map<std::string, const TClassInfo*> Classes;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

void TClassRegistry::Register(const TClassInfo& Class) {
  Registry& r = TheRegistry();
  std::lock_guard guard(r.Lock);
  r.Classes[LowerCase(Class.Name)] = &Class;
}

const TClassInfo* TClassRegistry::Find(std::string_view Name) {
  Registry& r = TheRegistry();
  std::lock_guard guard(r.Lock);
  auto it = r.Classes.find(LowerCase(Name));
  return it == r.Classes.end() ? nullptr : it->second;
}

bool TPropInfo::IsStored(const TPersistent& Object) const {
  if (Never) return false;
  if (Always) return true;
  if (StoredIf && !StoredIf(Object)) return false;
  if (Kind == TPropKind::Event) return EventAssigned && EventAssigned(Object);
  if (Kind == TPropKind::Class) return true;
  const TPropValue value = Get(Object);
  if (Default) return !(value == *Default);
  switch (Kind) {
    case TPropKind::String:
      return !std::get<std::string>(value).empty();
    case TPropKind::Strings:
      return !std::get<std::vector<std::string>>(value).empty();
    case TPropKind::Binary:
      return !std::get<TBytes>(value).empty();
    case TPropKind::Component:
      return std::get<TComponent*>(value) != nullptr;
    default:
      return true;
  }
}

namespace rtti_detail {

std::vector<std::string> LinesOf(const TStrings* Strings) {
  std::vector<std::string> lines;
  if (Strings == nullptr) return lines;
  lines.reserve(static_cast<size_t>(Strings->Count()));
  for (int i = 0; i < Strings->Count(); ++i)
    lines.push_back(Strings->Get(i));
  return lines;
}

void AssignLines(TStrings* Target, const std::vector<std::string>& Lines) {
  if (Target == nullptr) return;
  Target->BeginUpdate();
  try {
    Target->Clear();
    for (const std::string& line : Lines)
      Target->Add(line);
  } catch (...) {
    Target->EndUpdate();
    throw;
  }
  Target->EndUpdate();
}

}  // namespace rtti_detail
