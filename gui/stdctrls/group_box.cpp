#include "gui/stdctrls/group_box.h"

#include <QRadioButton>

#include "gui/forms/application.h"
#include "gui/qt/bridge.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TGroupBox, TCustomControl,
                     .With(PublishCaption<TGroupBox>)
                         .Property("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
                         .Default(true)
                         .With(PublishFontAndColor<TGroupBox>)
                         .With(PublishTabbing<TGroupBox>)
                         .With(PublishKeyEvents<TGroupBox>))

BREVANT_DEFINE_CLASS(TRadioGroup, TGroupBox,
                     .Property("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns)
                         .Default(1)
                         .Range(1, 16)
                         .Property("Items", &TRadioGroup::Items, &TRadioGroup::SetItems)
                         .Property("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex)
                         .Default(-1))

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  InitDefaults(clBtnFace, true);
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::Paint() {
  TCanvas& c = *Canvas();
  c.Brush()->SetColor(Color());
  c.FillRect(ClientRect());
  const int h = c.TextHeight("0");
  TRect r = Rect(0, h / 2 - 1, Width(), Height());
  if (Ctl3D()) {
    r.Left += 1;
    r.Top += 1;
    c.Brush()->SetColor(clBtnHighlight);
    c.FrameRect(r);
    r = r.Offset(-1, -1);
    c.Brush()->SetColor(clBtnShadow);
  } else {
    c.Brush()->SetColor(clWindowFrame);
  }
  c.FrameRect(r);
  if (Caption().empty()) return;
  const TRect need = c.DrawText(Caption(), Rect(8, 0, 8, h), {tfCalcRect, tfSingleLine});
  c.Brush()->SetColor(Color());
  c.Brush()->SetStyle(bsSolid);
  c.FillRect(need);
  if (!Enabled()) c.Font()->SetColor(clGrayText);
  c.DrawText(Caption(), need, {tfSingleLine});
}

TRadioGroup::TRadioGroup(TComponent* AOwner) : TGroupBox(AOwner), Items_(std::make_unique<TStringList>()) {
  InitTabStop(true);
  Items_->OnChange = [this](TObject*) {
    if (!IsLoading()) SetItemIndex(ItemIndex_);
    RebuildButtons();
  };
}

TRadioGroup::~TRadioGroup() {
  Items_->OnChange = nullptr;
}

void TRadioGroup::SetItemIndex(int Value) {
  if (!IsLoading()) Value = std::clamp(Value, -1, Items_->Count() - 1);
  ItemIndex_ = Value;
  UpdateChecks();
}

void TRadioGroup::SetColumns(int Value) {
  Value = std::clamp(Value, 1, 16);
  if (Value == Columns_) return;
  Columns_ = Value;
  ArrangeButtons();
  Invalidate();
}

QRadioButton* TRadioGroup::ButtonWidget(int Index) const {
  return Index >= 0 && Index < static_cast<int>(Buttons_.size()) ? Buttons_[static_cast<size_t>(Index)]
                                                                 : nullptr;
}

void TRadioGroup::InitWidget() {
  TGroupBox::InitWidget();
  RebuildButtons();
}

void TRadioGroup::WidgetDestroying() {
  Buttons_.clear();  // the widget takes its radio buttons with it
}

void TRadioGroup::RebuildButtons() {
  if (!HandleAllocated()) return;
  for (QRadioButton* b : Buttons_)
    delete b;
  Buttons_.clear();
  for (int i = 0; i < Items_->Count(); ++i) {
    auto* b = new QRadioButton(ToQString(Items_->Get(i)), Widget());
    b->setShortcut(QKeySequence());
    b->setAutoExclusive(false);
    b->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
    b->setEnabled(Enabled());
    TQtEventRouter::ForwardEvents(b, this);
    QObject::connect(b, &QRadioButton::clicked, b, [this, i]() {
      GuardCall([this, i]() {
        SetItemIndex(i);
        Click();
      });
    });
    b->show();
    Buttons_.push_back(b);
  }
  ArrangeButtons();
  UpdateChecks();
}

void TRadioGroup::ArrangeButtons() {
  if (Buttons_.empty()) return;
  const int count = static_cast<int>(Buttons_.size());
  const int perColumn = (count + Columns_ - 1) / Columns_;
  const int buttonWidth = (Width() - 10) / Columns_;
  WindowCanvas().SetFont(Font());
  const int textHeight = WindowCanvas().TextHeight("0");
  const int space = Height() - textHeight - 5;
  const int buttonHeight = space / perColumn;
  const int topMargin = textHeight + 1 + (space % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    Buttons_[static_cast<size_t>(i)]->setGeometry((i / perColumn) * buttonWidth + 8,
                                                  (i % perColumn) * buttonHeight + topMargin, buttonWidth,
                                                  buttonHeight);
  }
}

void TRadioGroup::UpdateChecks() {
  for (size_t i = 0; i < Buttons_.size(); ++i)
    Buttons_[i]->setChecked(static_cast<int>(i) == ItemIndex_);
}

void TRadioGroup::TakeFocus() {
  QRadioButton* b = ButtonWidget(ItemIndex_ >= 0 ? ItemIndex_ : 0);
  if (b != nullptr) {
    b->setFocus(Qt::OtherFocusReason);
  } else {
    TGroupBox::TakeFocus();
  }
}

void TRadioGroup::FontChanged() {
  TGroupBox::FontChanged();
  ArrangeButtons();
}

void TRadioGroup::EnabledChanged() {
  TGroupBox::EnabledChanged();
  for (QRadioButton* b : Buttons_)
    b->setEnabled(Enabled());
}

void TRadioGroup::BoundsChanged(const TRect& Old) {
  TGroupBox::BoundsChanged(Old);
  ArrangeButtons();
}

void TRadioGroup::Loaded() {
  TGroupBox::Loaded();
  SetItemIndex(ItemIndex_);
}
