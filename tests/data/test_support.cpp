#include "test_support.h"

#include "data/fields/field.h"
#include "data/register.h"

const char* NoticeName(TDataNotice Notice) {
  static const char* const names[] = {"dnFieldChange",     "dnRecordChange",    "dnDataSetChange",
                                      "dnDataSetScroll",   "dnLayoutChange",    "dnUpdateRecord",
                                      "dnUpdateState",     "dnCheckBrowseMode", "dnPropertyChange",
                                      "dnFieldListChange", "dnFocusControl",    "dnParentScroll"};
  return names[Notice];
}

void AddQuizColumns(TMemoryTable& Table) {
  Table.AddColumn({"Order", ftString, 5, {}});
  Table.AddColumn({"QuizName", ftString, 20, {}});
  Table.AddColumn({"Question", ftBlob, 1, {}});
  Table.AddColumn({"Answer", ftFmtMemo, 1, {}});
  Table.AddColumn({"Hint", ftBlob, 1, {}});
  Table.AddColumn({"AnswerTx", ftString, 1, {}});
  Table.AddColumn({"Encourage", ftBlob, 1, {}});
  Table.AddColumn({"Riff", ftBlob, 1, {}});
  Table.AddColumn({"UserAnswer", ftString, 1, {}});
}

void AddQuizRows(TMemoryTable& Table, int Count, const std::string& QuizName) {
  for (int i = 1; i <= Count; ++i) {
    const std::string n = std::to_string(i);
    Table.AddRow({n, QuizName, "{\\rtf1 question " + n + "}", "answer " + n, "hint " + n,
                  std::string(1, static_cast<char>('A' + (i - 1) % 4)), "well done " + n, "too bad " + n,
                  std::nullopt});
  }
}

TRecordingLink::TRecordingLink(TLog* Log, std::string Prefix, bool Visual)
    : Log(Log), Prefix(std::move(Prefix)) {
  SetIsVisual(Visual);
}

void TRecordingLink::ReceiveEvent(TDataNotice Notice, TNoticeInfo Info) {
  if (Active() && Notice != dnUpdateState) {
    const long long info =
        Notice == dnFieldChange || Notice == dnFocusControl ? 0 : static_cast<long long>(Info);
    Log->push_back(Prefix + NoticeName(Notice) + "(" + std::to_string(info) + ")");
  }
  TDataLink::ReceiveEvent(Notice, Info);
}

void TRecordingLink::NotifyActive() {
  Log->push_back(Prefix + (Active() ? "active" : "inactive"));
}

void RecordHooks(TDataSet& DataSet, TLog& Log) {
  auto hook = [&Log](const char* Name) { return [&Log, Name](TDataSet*) { Log.push_back(Name); }; };
  DataSet.BeforeOpen = hook("BeforeOpen");
  DataSet.AfterOpen = hook("AfterOpen");
  DataSet.BeforeClose = hook("BeforeClose");
  DataSet.AfterClose = hook("AfterClose");
  DataSet.BeforeInsert = hook("BeforeInsert");
  DataSet.AfterInsert = hook("AfterInsert");
  DataSet.BeforeEdit = hook("BeforeEdit");
  DataSet.AfterEdit = hook("AfterEdit");
  DataSet.BeforePost = hook("BeforePost");
  DataSet.AfterPost = hook("AfterPost");
  DataSet.BeforeCancel = hook("BeforeCancel");
  DataSet.AfterCancel = hook("AfterCancel");
  DataSet.BeforeDelete = hook("BeforeDelete");
  DataSet.AfterDelete = hook("AfterDelete");
  DataSet.BeforeScroll = hook("BeforeScroll");
  DataSet.AfterScroll = hook("AfterScroll");
  DataSet.OnNewRecord = hook("OnNewRecord");
}

void RecordNotices(TDataSet& DataSet, TLog& Log, const std::string& Prefix) {
  DataSet.DesignObserver = [&Log, Prefix](TDataSet*, TDataNotice Notice, TNoticeInfo Info) {
    std::string entry = Prefix + NoticeName(Notice);
    if (Notice == dnDataSetScroll) entry += "(" + std::to_string(static_cast<long long>(Info)) + ")";
    Log.push_back(entry);
  };
}

BREVANT_DEFINE_CLASS(TTestForm, TComponent, .Method("QueryAfterOpen", &TTestForm::QueryAfterOpen))

void TTestForm::GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) {
  for (int i = 0; i < ComponentCount(); ++i) {
    TComponent* c = Components(i);
    if (c->GetParentComponent() == nullptr && c->Owner() == Root) Proc(c);
  }
}

void TTestForm::QueryAfterOpen(TDataSet* DataSet) {
  // Which dataset opened, and with how many fields at that moment.
  Opened.push_back(DataSet->Name() + " " + std::to_string(DataSet->FieldObjects()->Count()));
}

BREVANT_DEFINE_CLASS(TTestDataControl, TComponent,
                     .Property("DataField", &TTestDataControl::DataField, &TTestDataControl::SetDataField)
                         .Property("DataSource", &TTestDataControl::DataSource,
                                   &TTestDataControl::SetDataSource))

TTestDataControl::TTestDataControl(TComponent* AOwner) : TComponent(AOwner) {
  Link.SetControl(this);
  Link.OnDataChange = [this](TObject*) {
    TField* field = Link.Field();
    Shown.push_back(field == nullptr ? "<none>" : field->AsText());
  };
}

void TTestDataControl::SetDataSource(TDataSource* Value) {
  if (DataSource() != nullptr) DataSource()->RemoveFreeNotification(this);
  Link.SetDataSource(Value);
  if (Value != nullptr) Value->FreeNotification(this);
}

void TTestDataControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == DataSource()) Link.SetDataSource(nullptr);
}

void RegisterTestDataClasses() {
  RegisterDataClasses();
  RegisterClasses<TTestForm, TTestDataControl>();
}
