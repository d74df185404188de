#include "core/layout/layout_reader.h"

#include <any>
#include <exception>

#include "core/component.h"
#include "core/exceptions.h"
#include "core/resources.h"
#include "core/rtti.h"
#include "core/text.h"

namespace {

std::vector<std::string> SplitPath(const std::string& Path) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t dot = Path.find('.', start);
    parts.push_back(Path.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) return parts;
    start = dot + 1;
  }
}

const char* KindName(TPropKind Kind) {
  switch (Kind) {
    case TPropKind::Integer:
      return "an integer";
    case TPropKind::Boolean:
      return "true or false";
    case TPropKind::Float:
      return "a number";
    case TPropKind::String:
      return "a text";
    case TPropKind::Enum:
      return "one of its identifiers";
    case TPropKind::Set:
      return "a list of identifiers";
    case TPropKind::Color:
      return "a colour name or number";
    case TPropKind::Strings:
      return "a list of texts";
    case TPropKind::Binary:
      return "bytes";
    case TPropKind::Component:
      return "a component name";
    case TPropKind::Class:
      return "its members set one by one";
    case TPropKind::Event:
      return "a method name";
  }
  return "a value";
}

}  // namespace

void TLayoutReader::ReadInto(TComponent& Root, std::string_view Text, std::string_view LayoutName) {
  const std::unique_ptr<TLayoutEntry> top = ParseLayout(Text, LayoutName);
  TLayoutReader reader(Root, LayoutName);
  reader.Run(*top);
}

void TLayoutReader::ReadResourceInto(TComponent& Root) {
  const std::string name = Root.ClassName() + ".layout";
  ReadInto(Root, TResourceRegistry::Load(name), name);
}

void TLayoutReader::Fail(int Line, const std::string& What) const {
  throw ELayoutError(LayoutName_ + ", line " + std::to_string(Line) + ": " + What);
}

void TLayoutReader::Run(const TLayoutEntry& Top) {
  const TClassInfo& rootClass = Root_->ClassInfo();
  if (!SameText(Top.ClassName, rootClass.Name)) {
    const TClassInfo* named = TClassRegistry::Find(Top.ClassName);
    if (named == nullptr || !rootClass.InheritsFrom(*named)) {
      Fail(Top.Line, "the layout is for " + Top.ClassName + ", not for " + rootClass.Name);
    }
  }
  try {
    try {
      Root_->SetName(Top.Name);
    } catch (const ELayoutError&) {
      throw;
    } catch (const Exception& e) {
      Fail(Top.Line, e.Message());
    }
    Root_->IncludeState(csLoading);
    Root_->IncludeState(csReading);
    Loaded_.push_back(Root_);
    Entries_.push_back(&Top);
    Root_->ReadState(*this);
    Entries_.pop_back();
    ResolveFixups();
  } catch (...) {
    for (TComponent* c : Loaded_) {
      c->ExcludeState(csReading);
      c->ExcludeState(csLoading);
    }
    throw;
  }
  LeaveLoading();
}

void TLayoutReader::ReadData(TComponent& Instance) {
  const TLayoutEntry& entry = *Entries_.back();
  for (const TLayoutProperty& prop : entry.Properties)
    ApplyProperty(Instance, prop);
  Parents_.push_back(&Instance);
  for (const auto& child : entry.Children)
    ReadChild(*child);
  Parents_.pop_back();
}

void TLayoutReader::ReadChild(const TLayoutEntry& Entry) {
  const TClassInfo* cls = TClassRegistry::Find(Entry.ClassName);
  if (cls == nullptr) Fail(Entry.Line, "unknown class '" + Entry.ClassName + "'");
  if (!cls->Create) Fail(Entry.Line, "class " + cls->Name + " cannot be created from a layout");
  if (Root_->FindComponent(Entry.Name) != nullptr || SameText(Entry.Name, Root_->Name())) {
    Fail(Entry.Line, "a component named " + Entry.Name + " already exists");
  }
  TComponent* instance = nullptr;
  try {
    instance = cls->Create(Root_);
  } catch (const Exception& e) {
    Fail(Entry.Line, e.Message());
  }
  instance->IncludeState(csLoading);
  instance->IncludeState(csReading);
  Loaded_.push_back(instance);
  try {
    instance->SetName(Entry.Name);
  } catch (const Exception& e) {
    Fail(Entry.Line, e.Message());
  }
  Entries_.push_back(&Entry);
  try {
    instance->ReadState(*this);
  } catch (const ELayoutError&) {
    throw;
  } catch (const Exception& e) {
    Fail(Entry.Line, e.Message());
  }
  Entries_.pop_back();
}

void TLayoutReader::ApplyProperty(TComponent& Instance, const TLayoutProperty& Prop) {
  const std::vector<std::string> path = SplitPath(Prop.Path);
  TPersistent* target = &Instance;
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    const TPropInfo* p = target->ClassInfo().FindProperty(path[i]);
    if (p == nullptr || p->Kind != TPropKind::Class) {
      Fail(Prop.Line, target->ClassName() + " has no object property '" + path[i] + "'");
    }
    target = std::get<TPersistent*>(p->Get(*target));
    if (target == nullptr) Fail(Prop.Line, "property '" + path[i] + "' holds no object");
  }
  const TLayoutValue& value = Prop.Value;
  const TPropInfo* p = target->ClassInfo().FindProperty(path.back());
  if (p == nullptr) {
    if (path.size() == 1 && Instance.ReadStoredExtra(path.back(), value)) return;
    Fail(Prop.Line, "unknown property '" + Prop.Path + "' of " + Instance.ClassName());
  }
  auto mismatch = [&]() {
    Fail(Prop.Line, "property " + Prop.Path + " expects " + KindName(p->Kind) + ", not " + value.KindName());
  };
  using K = TLayoutValue::TKind;
  TPropValue v;
  switch (p->Kind) {
    case TPropKind::Integer:
      if (value.Kind != K::Integer) mismatch();
      if (value.Integer < p->Min || value.Integer > p->Max) {
        Fail(Prop.Line, "value " + std::to_string(value.Integer) + " is out of range for " + Prop.Path);
      }
      v = value.Integer;
      break;
    case TPropKind::Boolean:
      if (value.IsIdentifier("true")) {
        v = true;
      } else if (value.IsIdentifier("false")) {
        v = false;
      } else {
        mismatch();
      }
      break;
    case TPropKind::Float:
      if (value.Kind == K::Float) {
        v = value.Float;
      } else if (value.Kind == K::Integer) {
        v = static_cast<double>(value.Integer);
      } else {
        mismatch();
      }
      break;
    case TPropKind::String:
      if (value.Kind != K::String) mismatch();
      v = value.Text;
      break;
    case TPropKind::Enum: {
      if (value.Kind != K::Identifier) mismatch();
      const int ordinal = p->Enum->OrdinalOf(value.Text);
      if (ordinal < 0) Fail(Prop.Line, "'" + value.Text + "' is not a member of " + p->Enum->TypeName);
      v = int64_t{ordinal};
      break;
    }
    case TPropKind::Set: {
      if (value.Kind != K::List) mismatch();
      uint64_t bits = 0;
      for (const TLayoutValue& item : value.Items) {
        if (item.Kind != K::Identifier) mismatch();
        const int ordinal = p->Enum->OrdinalOf(item.Text);
        if (ordinal < 0) Fail(Prop.Line, "'" + item.Text + "' is not a member of " + p->Enum->TypeName);
        bits |= uint64_t{1} << ordinal;
      }
      v = static_cast<int64_t>(bits);
      break;
    }
    case TPropKind::Color:
      if (value.Kind == K::Integer && value.Integer >= 0 && value.Integer <= 0xFFFFFFFF) {
        v = value.Integer;
      } else if (value.Kind == K::Identifier) {
        const auto color = ColorFromName(value.Text);
        if (!color) Fail(Prop.Line, "unknown colour '" + value.Text + "'");
        v = static_cast<int64_t>(static_cast<uint32_t>(*color));
      } else {
        mismatch();
      }
      break;
    case TPropKind::Strings: {
      if (value.Kind != K::List) mismatch();
      std::vector<std::string> lines;
      for (const TLayoutValue& item : value.Items) {
        if (item.Kind != K::String) mismatch();
        lines.push_back(item.Text);
      }
      v = std::move(lines);
      break;
    }
    case TPropKind::Binary:
      if (value.Kind != K::Binary) mismatch();
      v = value.Bytes;
      break;
    case TPropKind::Component:
      if (value.Kind != K::Identifier) mismatch();
      Fixups_.push_back({target, p, value.Text, Prop.Line});
      return;
    case TPropKind::Class:
      mismatch();
      break;
    case TPropKind::Event: {
      if (value.Kind != K::Identifier) mismatch();
      const TMethodInfo* method = Root_->ClassInfo().FindMethod(value.Text);
      if (method == nullptr) Fail(Prop.Line, Root_->ClassName() + " has no method '" + value.Text + "'");
      try {
        p->BindEvent(*target, method->Make(*Root_));
      } catch (const std::bad_any_cast&) {
        Fail(Prop.Line, "method " + value.Text + " does not fit event " + p->Name);
      }
      if (target == &Instance) Instance.SetBoundMethodName(p->Name, value.Text);
      return;
    }
  }
  try {
    p->Set(*target, v);
  } catch (const ELayoutError&) {
    throw;
  } catch (const Exception& e) {
    Fail(Prop.Line, e.Message());
  }
}

void TLayoutReader::ResolveFixups() {
  for (const Fixup& f : Fixups_) {
    TComponent* found = SameText(f.Name, Root_->Name()) ? Root_ : Root_->FindComponent(f.Name);
    if (found == nullptr) Fail(f.Line, "unknown component '" + f.Name + "'");
    if (f.Prop->Accepts && !f.Prop->Accepts(found)) {
      Fail(f.Line, f.Name + " is a " + found->ClassName() + ", which does not fit property " + f.Prop->Name);
    }
    try {
      f.Prop->Set(*f.Target, found);
    } catch (const ELayoutError&) {
      throw;
    } catch (const Exception& e) {
      Fail(f.Line, e.Message());
    }
  }
  Fixups_.clear();
}

void TLayoutReader::LeaveLoading() {
  for (TComponent* c : Loaded_)
    c->ExcludeState(csReading);
  std::exception_ptr first;
  for (TComponent* c : Loaded_) {
    try {
      c->Loaded();
    } catch (...) {
      c->ExcludeState(csLoading);
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}
