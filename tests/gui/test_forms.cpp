#include "test_forms.h"

#include "core/rtti.h"
#include "gui/controls/keys.h"

BREVANT_DEFINE_CLASS(TTestForm, TForm,
                     .Method("FormCreate", &TTestForm::FormCreate)
                         .Method("ButtonClick", &TTestForm::ButtonClick)
                         .Method("NameChange", &TTestForm::NameChange))

BREVANT_DEFINE_CLASS(TMenuTestForm, TForm,
                     .Method("ItemClick", &TMenuTestForm::ItemClick)
                         .Method("FormKeyDown", &TMenuTestForm::FormKeyDown)
                         .Method("FormKeyUp", &TMenuTestForm::FormKeyUp))

bool TTestForm::FailInCreate = false;
int TTestForm::Destroyed = 0;

TTestForm::~TTestForm() {
  ++Destroyed;
}

void TTestForm::FormCreate(TObject* /*Sender*/) {
  if (FailInCreate) throw EInvalidOperation("Record not found");
}

void TTestForm::ButtonClick(TObject* Sender) {
  Clicks.push_back(Sender);
}

void TTestForm::NameChange(TObject* /*Sender*/) {
  ++Changes;
}

void TMenuTestForm::ItemClick(TObject* Sender) {
  Log.push_back(static_cast<TComponent*>(Sender)->Name());
}

namespace {

bool IsModifier(uint16_t Key) {
  return Key == VK_SHIFT || Key == VK_CONTROL || Key == VK_MENU;
}

}  // namespace

void TMenuTestForm::FormKeyDown(TObject* /*Sender*/, uint16_t& Key, TShiftState /*Shift*/) {
  if (IsModifier(Key)) return;
  Log.push_back("down " + std::to_string(Key));
  if (Key == Swallow) Key = 0;
}

void TMenuTestForm::FormKeyUp(TObject* /*Sender*/, uint16_t& Key, TShiftState /*Shift*/) {
  if (IsModifier(Key)) return;
  Log.push_back("up " + std::to_string(Key));
}
