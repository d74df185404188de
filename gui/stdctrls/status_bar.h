#pragma once
// TStatusBar: the strip at the bottom of a window, with panels side by side. Each
// TStatusPanel has a width, a text and a bevel; the last panel reaches the right end. With
// SimplePanel the bar shows SimpleText across its whole width instead.
//
// Panels nest under their bar in layouts, as menu items under their menu:
//
//   StatusBar1 (TStatusBar)
//     HintPanel (TStatusPanel)
//       Width: 300
//       Bevel: pbNone
//
// A bar frees its panels, as a parent frees its controls; Panels()->Add() makes one at
// run time.

#include <string>
#include <vector>

#include "gui/controls/graphic_control.h"

enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
BREVANT_ENUM_NAMES(TStatusPanelBevel, "pbNone", "pbLowered", "pbRaised");

class TStatusBar;

class TStatusPanel : public TComponent {
 public:
  BREVANT_CLASS(TStatusPanel)
  explicit TStatusPanel(TComponent* AOwner);
  ~TStatusPanel() override;

  int Width() const { return Width_; }
  void SetWidth(int Value);
  const std::string& Text() const { return Text_; }
  void SetText(const std::string& Value);
  TStatusPanelBevel Bevel() const { return Bevel_; }
  void SetBevel(TStatusPanelBevel Value);
  TAlignment Alignment() const { return Alignment_; }
  void SetAlignment(TAlignment Value);

  TStatusBar* StatusBar() const { return Bar_; }
  // Position among the bar's panels, or -1.
  int Index() const;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

 private:
  friend class TStatusPanels;
  void Changed();

  int Width_ = 50;
  std::string Text_;
  TStatusPanelBevel Bevel_ = pbLowered;
  TAlignment Alignment_ = taLeftJustify;
  TStatusBar* Bar_ = nullptr;
};

// The panels of one bar, in order.
class TStatusPanels {
 public:
  explicit TStatusPanels(TStatusBar& Bar) : Bar_(Bar) {}
  int Count() const { return static_cast<int>(Items_.size()); }
  // Raises EListError for an index outside the list.
  TStatusPanel* Items(int Index) const;
  TStatusPanel* operator[](int Index) const { return Items(Index); }
  // A new panel at the end, owned by the bar.
  TStatusPanel* Add();
  // Moves a panel (from another bar, or none) to the end of this bar.
  void Append(TStatusPanel* Panel);
  void Delete(int Index);
  // Frees every panel.
  void Clear();

 private:
  friend class TStatusPanel;
  void Remove(TStatusPanel* Panel);

  TStatusBar& Bar_;
  std::vector<TStatusPanel*> Items_;
};

class TStatusBar : public TCustomControl {
 public:
  BREVANT_CLASS(TStatusBar)
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;

  TStatusPanels* Panels() { return &Panels_; }
  const TStatusPanels* Panels() const { return &Panels_; }
  bool SimplePanel() const { return SimplePanel_; }
  void SetSimplePanel(bool Value);
  const std::string& SimpleText() const { return SimpleText_; }
  void SetSimpleText(const std::string& Value);

  // The rectangle panel Index takes in the bar (client coordinates), bevel included.
  TRect PanelRect(int Index) const;

  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;
  // Framework side: a panel changed.
  void PanelsChanged() { Invalidate(); }

 protected:
  void Paint() override;

 private:
  void PaintPart(TCanvas& Canvas, TRect R, TStatusPanelBevel Bevel, TAlignment Alignment,
                 const std::string& Text);

  TStatusPanels Panels_;
  bool SimplePanel_ = false;
  std::string SimpleText_;
};
