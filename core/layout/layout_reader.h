#pragma once
// Reads a stored layout into an existing root component: creates the nested components by
// registered class name (owned by the root), sets published properties by name, binds
// events to the root's methods, resolves references to other components once everything
// is read, and keeps every component in the loading state until then; finally each one's
// Loaded step runs, the root first.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/layout/layout_parser.h"

class TComponent;
class TPersistent;
struct TPropInfo;

class TLayoutReader {
 public:
  // Raises ELayoutError naming the layout and the line for anything that cannot be read;
  // an exception from a Loaded step passes on after every component got its Loaded.
  static void ReadInto(TComponent& Root, std::string_view Text, std::string_view LayoutName);
  // Reads the layout resource "<class name>.layout" compiled into the program.
  static void ReadResourceInto(TComponent& Root);

  // For ReadState overrides: the component the current one nests in (none for the root),
  // the root, and the step that reads the current entry's properties and nested components.
  TComponent* Parent() const { return Parents_.empty() ? nullptr : Parents_.back(); }
  TComponent* Root() const { return Root_; }
  void ReadData(TComponent& Instance);

 private:
  struct Fixup {
    TPersistent* Target;
    const TPropInfo* Prop;
    std::string Name;
    int Line;
  };

  TLayoutReader(TComponent& Root, std::string_view LayoutName) : Root_(&Root), LayoutName_(LayoutName) {}

  void Run(const TLayoutEntry& Top);
  void ReadChild(const TLayoutEntry& Entry);
  void ApplyProperty(TComponent& Instance, const TLayoutProperty& Prop);
  void ResolveFixups();
  void LeaveLoading();
  [[noreturn]] void Fail(int Line, const std::string& What) const;

  TComponent* Root_;
  std::string LayoutName_;
  std::vector<TComponent*> Parents_;
  std::vector<const TLayoutEntry*> Entries_;  // entry being read, innermost last
  std::vector<TComponent*> Loaded_;
  std::vector<Fixup> Fixups_;
};

// The layout of Root and everything stored nested under it, storing only what differs
// from the defaults, so that reading it into a fresh root gives the same components.
std::string WriteLayout(const TComponent& Root);
