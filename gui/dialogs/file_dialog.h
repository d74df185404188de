#pragma once
// TOpenDialog and TSaveDialog: choosing a file to load or to save, over Qt's own
// (widget-based) file dialog.
//
// Filter lists the kinds of file offered ("Rich Text Files (*.RTF)|*.RTF|Text Files
// (*.TXT)|*.TXT", see file_filter.h: a malformed one makes Execute raise EInvalidArgument
// before anything shows); FilterIndex (from 1) is the kind chosen, before and after.
// FileName is the file chosen (Files all of them, with ofAllowMultiSelect); the dialog
// opens in FileName's folder, else InitialDir, else the current folder. A name typed
// without an extension gets DefaultExt. ofOverwritePrompt (off by default) asks before a
// save dialog picks a file that exists; ofFileMustExist refuses a name that does not.
// Both questions are message boxes of the framework, so observers answer them too.
//
// Controls for automation: "FileName", "FileType", "Files", "Folder", "Accept", "Cancel".

#include <memory>
#include <string>

#include "core/strings.h"
#include "gui/dialogs/common_dialog.h"

enum TOpenOption {
  ofOverwritePrompt,
  ofHideReadOnly,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofEnableSizing
};
BREVANT_ENUM_NAMES(TOpenOption, "ofOverwritePrompt", "ofHideReadOnly", "ofAllowMultiSelect",
                   "ofExtensionDifferent", "ofPathMustExist", "ofFileMustExist", "ofEnableSizing");
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TCommonDialog {
 public:
  BREVANT_CLASS(TOpenDialog)
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  const std::string& FileName() const { return FileName_; }
  void SetFileName(const std::string& Value) { FileName_ = Value; }
  TStrings* Files() const { return Files_.get(); }
  const std::string& Filter() const { return Filter_; }
  void SetFilter(const std::string& Value) { Filter_ = Value; }
  int FilterIndex() const { return FilterIndex_; }
  void SetFilterIndex(int Value) { FilterIndex_ = Value; }
  const std::string& DefaultExt() const { return DefaultExt_; }
  void SetDefaultExt(const std::string& Value) { DefaultExt_ = Value; }
  const std::string& InitialDir() const { return InitialDir_; }
  void SetInitialDir(const std::string& Value) { InitialDir_ = Value; }
  // The window's caption; empty: "Open" or "Save As".
  const std::string& Title() const { return Title_; }
  void SetTitle(const std::string& Value) { Title_ = Value; }
  TOpenOptions Options() const { return Options_; }
  void SetOptions(TOpenOptions Value) { Options_ = Value; }

  bool Execute() override;

 protected:
  virtual bool Saving() const { return false; }

 private:
  std::string FileName_;
  std::unique_ptr<TStringList> Files_;
  std::string Filter_;
  int FilterIndex_ = 1;
  std::string DefaultExt_;
  std::string InitialDir_;
  std::string Title_;
  TOpenOptions Options_{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
 public:
  BREVANT_CLASS(TSaveDialog)
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

 protected:
  bool Saving() const override { return true; }
};
