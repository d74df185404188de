#include <cstdio>
#include <string>

#include "core/component.h"
#include "core/layout/layout_reader.h"
#include "core/rtti.h"

namespace {

bool ValueOf(const TPropInfo& Prop, const TPersistent& Object, const TComponent& Root, TLayoutValue& Out) {
  if (Prop.Kind == TPropKind::Event) {
    const auto* component = dynamic_cast<const TComponent*>(&Object);
    const std::string* method = component != nullptr ? component->BoundMethodName(Prop.Name) : nullptr;
    if (method == nullptr) return false;  // a handler set in code has no name to store
    Out = TLayoutValue::OfIdentifier(*method);
    return true;
  }
  const TPropValue v = Prop.Get(Object);
  switch (Prop.Kind) {
    case TPropKind::Integer:
      Out = TLayoutValue::OfInteger(std::get<int64_t>(v));
      return true;
    case TPropKind::Boolean:
      Out = TLayoutValue::OfIdentifier(std::get<bool>(v) ? "true" : "false");
      return true;
    case TPropKind::Float:
      Out.Kind = TLayoutValue::TKind::Float;
      Out.Float = std::get<double>(v);
      return true;
    case TPropKind::String:
      Out = TLayoutValue::OfString(std::get<std::string>(v));
      return true;
    case TPropKind::Enum: {
      const int64_t ordinal = std::get<int64_t>(v);
      if (ordinal < 0 || ordinal >= static_cast<int64_t>(Prop.Enum->Names.size())) return false;
      Out = TLayoutValue::OfIdentifier(Prop.Enum->Names[static_cast<size_t>(ordinal)]);
      return true;
    }
    case TPropKind::Set: {
      const auto bits = static_cast<uint64_t>(std::get<int64_t>(v));
      Out.Kind = TLayoutValue::TKind::List;
      for (size_t i = 0; i < Prop.Enum->Names.size() && i < 64; ++i) {
        if (bits & (uint64_t{1} << i)) Out.Items.push_back(TLayoutValue::OfIdentifier(Prop.Enum->Names[i]));
      }
      return true;
    }
    case TPropKind::Color: {
      const auto color = TColor(static_cast<uint32_t>(std::get<int64_t>(v)));
      if (auto name = NameOfColor(color)) {
        Out = TLayoutValue::OfIdentifier(*name);
      } else {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%08X", static_cast<unsigned>(color));
        Out = TLayoutValue::OfIdentifier(buf);  // written as is; read back as a number
      }
      return true;
    }
    case TPropKind::Strings:
      Out.Kind = TLayoutValue::TKind::List;
      for (const std::string& line : std::get<std::vector<std::string>>(v)) {
        Out.Items.push_back(TLayoutValue::OfString(line));
      }
      return true;
    case TPropKind::Binary:
      Out = TLayoutValue::OfBytes(std::get<TBytes>(v));
      return true;
    case TPropKind::Component: {
      const TComponent* target = std::get<TComponent*>(v);
      // Only components that the layout itself holds can be named in it.
      if (target == nullptr || target->Name().empty()) return false;
      if (target != &Root && target->Owner() != &Root) return false;
      Out = TLayoutValue::OfIdentifier(target->Name());
      return true;
    }
    case TPropKind::Class:
    case TPropKind::Event:
      return false;
  }
  return false;
}

void WriteProperties(std::string& Out, const TPersistent& Object, const TComponent& Root,
                     const std::string& Prefix, int Indent) {
  const std::string pad(static_cast<size_t>(Indent), ' ');
  for (const TPropInfo* prop : Object.ClassInfo().AllProperties()) {
    if (!prop->IsStored(Object)) continue;
    if (prop->Kind == TPropKind::Class) {
      const TPersistent* nested = std::get<TPersistent*>(prop->Get(Object));
      if (nested != nullptr) WriteProperties(Out, *nested, Root, Prefix + prop->Name + ".", Indent);
      continue;
    }
    TLayoutValue value;
    if (!ValueOf(*prop, Object, Root, value)) continue;
    Out += pad + Prefix + prop->Name + ": " + FormatLayoutValue(value, Indent) + "\n";
  }
}

void WriteComponent(std::string& Out, const TComponent& Component, const TComponent& Root, int Indent) {
  const std::string pad(static_cast<size_t>(Indent), ' ');
  Out += pad + Component.Name() + " (" + Component.ClassName() + ")\n";
  WriteProperties(Out, Component, Root, "", Indent + 2);
  std::vector<std::pair<std::string, TLayoutValue>> extras;
  Component.WriteStoredExtras(extras);
  for (const auto& [name, value] : extras) {
    Out += pad + "  " + name + ": " + FormatLayoutValue(value, Indent + 2) + "\n";
  }
  const_cast<TComponent&>(Component).GetChildren(
      [&](TComponent* child) { WriteComponent(Out, *child, Root, Indent + 2); },
      const_cast<TComponent*>(&Root));
}

}  // namespace

std::string WriteLayout(const TComponent& Root) {
  std::string out = "layout " + std::to_string(kLayoutFormatVersion) + "\n";
  WriteComponent(out, Root, Root, 0);
  return out;
}
