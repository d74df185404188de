#include "test_forms.h"

#include "core/rtti.h"

BREVANT_DEFINE_CLASS(TTestForm, TForm,
                     .Method("FormCreate", &TTestForm::FormCreate)
                         .Method("ButtonClick", &TTestForm::ButtonClick)
                         .Method("NameChange", &TTestForm::NameChange))

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
