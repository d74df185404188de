#pragma once
// Shared pieces of the data layer's tests: a quiz-shaped in-memory dataset, a link and
// event hooks that write what they hear into one log, a form root for layouts, and a small
// data-aware control.

#include <string>
#include <vector>

#include "core/component.h"
#include "core/rtti.h"
#include "data/dataset.h"
#include "data/links/data_link.h"
#include "data/links/data_source.h"
#include "data/links/field_data_link.h"
#include "data/memory_dataset/memory_dataset.h"

using TLog = std::vector<std::string>;

const char* NoticeName(TDataNotice Notice);

// Columns of the quiz row; AnswerTx holds one character.
void AddQuizColumns(TMemoryTable& Table);
// Rows "Q1".."Qn": Order "1".., QuizName, Question "question i", AnswerTx "A".., blobs.
void AddQuizRows(TMemoryTable& Table, int Count, const std::string& QuizName = "ET1");

// Writes "<prefix><Notice>(<info>)" for every notice it receives while active, and
// "<prefix>active"/"<prefix>inactive" when that changes.
class TRecordingLink : public TDataLink {
 public:
  TRecordingLink(TLog* Log, std::string Prefix, bool Visual);
  void ReceiveEvent(TDataNotice Notice, TNoticeInfo Info) override;
  void NotifyActive() override;
  TLog* Log;
  std::string Prefix;
};

// Makes every hook of the dataset write its name into Log.
void RecordHooks(TDataSet& DataSet, TLog& Log);
// Writes "<prefix>:<notice>" for every notice that reaches the data sources.
void RecordNotices(TDataSet& DataSet, TLog& Log, const std::string& Prefix = "ds:");

// A window stand-in: owns components read from a layout and reports them for writing.
class TTestForm : public TComponent {
 public:
  BREVANT_CLASS(TTestForm)
  explicit TTestForm(TComponent* AOwner) : TComponent(AOwner) {}
  void GetChildren(const std::function<void(TComponent*)>& Proc, TComponent* Root) override;

  void QueryAfterOpen(TDataSet* DataSet);
  std::vector<std::string> Opened;
};

// A control that shows one field through a field data link.
class TTestDataControl : public TComponent {
 public:
  BREVANT_CLASS(TTestDataControl)
  explicit TTestDataControl(TComponent* AOwner);

  TDataSource* DataSource() const { return Link.DataSource(); }
  void SetDataSource(TDataSource* Value);
  std::string DataField() const { return Link.FieldName(); }
  void SetDataField(const std::string& Value) { Link.SetFieldName(Value); }

  TFieldDataLink Link;
  std::vector<std::string> Shown;  // the field's text at each data change ("<none>" without field)

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
};

void RegisterTestDataClasses();
