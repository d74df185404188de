#include "core/layout/fuzz/layout_fuzz_body.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "core/color.h"
#include "core/component.h"
#include "core/exceptions.h"
#include "core/layout/layout_parser.h"
#include "core/layout/layout_reader.h"
#include "core/rtti.h"
#include "core/strings.h"

enum TFuzzShade { fsLight, fsMedium, fsDark };
BREVANT_ENUM_NAMES(TFuzzShade, "fsLight", "fsMedium", "fsDark");
using TFuzzShades = TSet<TFuzzShade>;

namespace {

// A nested object ("Pen.Width").
class TFuzzPen : public TPersistent {
 public:
  BREVANT_CLASS(TFuzzPen)
  int Width() const { return Width_; }
  void SetWidth(int V) { Width_ = V; }
  TColor Color() const { return Color_; }
  void SetColor(TColor V) { Color_ = V; }

 private:
  int Width_ = 1;
  TColor Color_ = clBlack;
};

// A component with a property of every kind, that nests in another one as controls nest in panels.
class TFuzzWidget : public TComponent {
 public:
  BREVANT_CLASS(TFuzzWidget)
  explicit TFuzzWidget(TComponent* AOwner) : TComponent(AOwner) {}
  ~TFuzzWidget() override {
    SetParentComponent(nullptr);
    for (TFuzzWidget* kid : Kids_)
      kid->Parent_ = nullptr;
  }

  int64_t Size() const { return Size_; }
  void SetSize(int64_t V) { Size_ = V; }
  uint8_t Small() const { return Small_; }
  void SetSmall(uint8_t V) { Small_ = V; }
  bool Flag() const { return Flag_; }
  void SetFlag(bool V) { Flag_ = V; }
  double Ratio() const { return Ratio_; }
  void SetRatio(double V) { Ratio_ = V; }
  std::string Caption() const { return Caption_; }
  void SetCaption(const std::string& V) { Caption_ = V; }
  TFuzzShade Shade() const { return Shade_; }
  void SetShade(TFuzzShade V) { Shade_ = V; }
  TFuzzShades Shades() const { return Shades_; }
  void SetShades(TFuzzShades V) { Shades_ = V; }
  TColor Color() const { return Color_; }
  void SetColor(TColor V) { Color_ = V; }
  TStrings* Items() const { return Items_.get(); }
  void SetItems(TStrings* V) { Items_->Assign(*V); }
  TBytes Data() const { return Data_; }
  void SetData(TBytes V) { Data_ = std::move(V); }
  TFuzzWidget* Buddy() const { return Buddy_; }
  void SetBuddy(TFuzzWidget* V) {
    if (Buddy_ == V) return;
    // The link between two components is one for both directions: it stays while the old buddy
    // still points back here.
    if (Buddy_ != nullptr && Buddy_->Buddy_ != this) Buddy_->RemoveFreeNotification(this);
    Buddy_ = V;
    if (Buddy_ != nullptr) Buddy_->FreeNotification(this);
  }
  TFuzzPen* Pen() const { return Pen_.get(); }

  TNotifyEvent OnPoke;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return Parent_; }
  void SetParentComponent(TComponent* Value) override {
    if (Parent_ != nullptr) {
      auto& kids = Parent_->Kids_;
      kids.erase(std::remove(kids.begin(), kids.end(), this), kids.end());
    }
    Parent_ = dynamic_cast<TFuzzWidget*>(Value);
    if (Parent_ != nullptr) Parent_->Kids_.push_back(this);
  }
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override {
    for (TFuzzWidget* kid : Kids_) {
      if (kid->Owner() == Root) Proc(kid);
    }
  }
  TFuzzWidget* ParentWidget() const { return Parent_; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == Buddy_) Buddy_ = nullptr;
  }

 private:
  int64_t Size_ = 10;
  uint8_t Small_ = 0;
  bool Flag_ = true;
  double Ratio_ = 1.0;
  std::string Caption_;
  TFuzzShade Shade_ = fsMedium;
  TFuzzShades Shades_;
  TColor Color_ = clBtnFace;
  std::unique_ptr<TStringList> Items_ = std::make_unique<TStringList>();
  TBytes Data_;
  TFuzzWidget* Buddy_ = nullptr;
  std::unique_ptr<TFuzzPen> Pen_ = std::make_unique<TFuzzPen>();
  TFuzzWidget* Parent_ = nullptr;
  std::vector<TFuzzWidget*> Kids_;
};

class TFuzzRoot : public TComponent {
 public:
  BREVANT_CLASS(TFuzzRoot)
  explicit TFuzzRoot(TComponent* AOwner) : TComponent(AOwner) {}
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override {
    for (int i = 0; i < ComponentCount(); ++i) {
      auto* widget = dynamic_cast<TFuzzWidget*>(Components(i));
      if (widget != nullptr && widget->ParentWidget() == nullptr && widget->Owner() == Root) Proc(widget);
    }
  }
  void WidgetPoke(TObject* /*Sender*/) {}
};

BREVANT_DEFINE_CLASS(TFuzzPen, TPersistent,
                     .Property("Width", &TFuzzPen::Width, &TFuzzPen::SetWidth)
                         .Default(1)
                         .Property("Color", &TFuzzPen::Color, &TFuzzPen::SetColor)
                         .Default(clBlack))

BREVANT_DEFINE_CLASS(TFuzzWidget, TComponent,
                     .Property("Size", &TFuzzWidget::Size, &TFuzzWidget::SetSize)
                         .Default(int64_t{10})
                         .Property("Small", &TFuzzWidget::Small, &TFuzzWidget::SetSmall)
                         .Property("Flag", &TFuzzWidget::Flag, &TFuzzWidget::SetFlag)
                         .Default(true)
                         .Property("Ratio", &TFuzzWidget::Ratio, &TFuzzWidget::SetRatio)
                         .Default(1.0)
                         .Property("Caption", &TFuzzWidget::Caption, &TFuzzWidget::SetCaption)
                         .Property("Shade", &TFuzzWidget::Shade, &TFuzzWidget::SetShade)
                         .Default(fsMedium)
                         .Property("Shades", &TFuzzWidget::Shades, &TFuzzWidget::SetShades)
                         .Property("Color", &TFuzzWidget::Color, &TFuzzWidget::SetColor)
                         .Default(clBtnFace)
                         .Property("Items", &TFuzzWidget::Items, &TFuzzWidget::SetItems)
                         .Property("Data", &TFuzzWidget::Data, &TFuzzWidget::SetData)
                         .Property("Buddy", &TFuzzWidget::Buddy, &TFuzzWidget::SetBuddy)
                         .Property("Pen", &TFuzzWidget::Pen)
                         .Event("OnPoke", &TFuzzWidget::OnPoke))

BREVANT_DEFINE_CLASS(TFuzzRoot, TComponent, .Method("WidgetPoke", &TFuzzRoot::WidgetPoke))

// Reads a layout into a fresh root; an error of the framework's own is a refusal, any other a fault.
std::string ReadLayout(std::string_view Text, std::unique_ptr<TFuzzRoot>& Root, bool& Refused) {
  Root = std::make_unique<TFuzzRoot>(nullptr);
  Refused = false;
  try {
    TLayoutReader::ReadInto(*Root, Text, "fuzz.layout");
  } catch (const Exception&) {
    Refused = true;
  } catch (const std::exception& e) {
    return std::string("an error that is not the framework's own: ") + e.what();
  }
  return {};
}

}  // namespace

std::string CheckLayoutInput(const std::uint8_t* data, std::size_t size) {
  static const bool registered = [] {
    RegisterClasses<TFuzzWidget, TFuzzRoot>();
    return true;
  }();
  (void)registered;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // The parser alone, which every layout meets first.
  try {
    ParseLayout(text, "fuzz.layout");
  } catch (const Exception&) {
  } catch (const std::exception& e) {
    return std::string("the parser raised an error that is not the framework's own: ") + e.what();
  }

  std::unique_ptr<TFuzzRoot> root;
  bool refused = false;
  if (std::string fault = ReadLayout(text, root, refused); !fault.empty() || refused) return fault;
  const std::string written = WriteLayout(*root);
  std::unique_ptr<TFuzzRoot> again;
  if (std::string fault = ReadLayout(written, again, refused); !fault.empty()) return fault;
  if (refused) return "what the writer wrote does not read back:\n" + written;
  const std::string rewritten = WriteLayout(*again);
  if (rewritten != written)
    return "a layout changes in a round trip:\n" + written + "--- became ---\n" + rewritten;
  return {};
}
