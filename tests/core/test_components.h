#pragma once
// Small component classes that exercise every kind of published property, nesting,
// references and the loading state, for the layout tests.

#include <memory>
#include <string>
#include <vector>

#include "core/color.h"
#include "core/component.h"
#include "core/rtti.h"
#include "core/strings.h"

enum TShade { shLight, shMedium, shDark };
BREVANT_ENUM_NAMES(TShade, "shLight", "shMedium", "shDark");
using TShades = TSet<TShade>;

// A nested object with published members ("Pen.Width").
class TTestPen : public TPersistent {
 public:
  BREVANT_CLASS(TTestPen)
  int Width() const { return Width_; }
  void SetWidth(int V) { Width_ = V; }
  TColor Color() const { return Color_; }
  void SetColor(TColor V) { Color_ = V; }

 private:
  int Width_ = 1;
  TColor Color_ = clBlack;
};

// Records its loading state when its properties are written and when Loaded runs.
class TTestWidget : public TComponent {
 public:
  BREVANT_CLASS(TTestWidget)
  explicit TTestWidget(TComponent* AOwner);
  ~TTestWidget() override;

  int Size() const { return Size_; }
  void SetSize(int V);
  bool Flag() const { return Flag_; }
  void SetFlag(bool V) { Flag_ = V; }
  double Ratio() const { return Ratio_; }
  void SetRatio(double V) { Ratio_ = V; }
  std::string Caption() const { return Caption_; }
  void SetCaption(const std::string& V) { Caption_ = V; }
  TShade Shade() const { return Shade_; }
  void SetShade(TShade V) { Shade_ = V; }
  TShades Shades() const { return Shades_; }
  void SetShades(TShades V) { Shades_ = V; }
  TColor Color() const { return Color_; }
  void SetColor(TColor V) { Color_ = V; }
  TStrings* Items() const { return Items_.get(); }
  void SetItems(TStrings* V) { Items_->Assign(*V); }
  TBytes Data() const { return Data_; }
  void SetData(TBytes V) { Data_ = std::move(V); }
  TTestWidget* Buddy() const { return Buddy_; }
  void SetBuddy(TTestWidget* V);
  TTestPen* Pen() const { return Pen_.get(); }
  uint8_t Small() const { return Small_; }
  void SetSmall(uint8_t V) { Small_ = V; }

  TNotifyEvent OnPoke;

  // Layout nesting: a widget nests in another widget.
  TTestWidget* ParentWidget() const { return Parent_; }
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return Parent_; }
  void SetParentComponent(TComponent* Value) override;
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

  bool ReadStoredExtra(const std::string& Name, const TLayoutValue& Value) override;
  void WriteStoredExtras(std::vector<std::pair<std::string, TLayoutValue>>& Out) const override;

  // Observations for the tests.
  bool LoadingWhenSized = false;
  bool LoadingWhenParented = false;
  int LoadedCalls = 0;
  std::string BuddyAtLoaded;
  int Version = 0;
  static std::vector<std::string>* LoadedOrder;
  static bool ThrowInLoaded;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

 private:
  int Size_ = 10;
  bool Flag_ = true;
  double Ratio_ = 1.0;
  std::string Caption_;
  TShade Shade_ = shMedium;
  TShades Shades_;
  TColor Color_ = clBtnFace;
  std::unique_ptr<TStringList> Items_ = std::make_unique<TStringList>();
  TBytes Data_;
  TTestWidget* Buddy_ = nullptr;
  std::unique_ptr<TTestPen> Pen_ = std::make_unique<TTestPen>();
  uint8_t Small_ = 0;
  TTestWidget* Parent_ = nullptr;
  std::vector<TTestWidget*> Kids_;
};

// A root with methods that layouts bind to events.
class TTestRoot : public TComponent {
 public:
  BREVANT_CLASS(TTestRoot)
  explicit TTestRoot(TComponent* AOwner) : TComponent(AOwner) {}
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

  void WidgetPoke(TObject* Sender) { Poked.push_back(Sender); }
  void WrongShape(int) {}
  std::vector<TObject*> Poked;
};

void RegisterTestClasses();
