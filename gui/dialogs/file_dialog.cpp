#include "gui/dialogs/file_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <functional>

#include "core/format.h"
#include "core/rtti.h"
#include "gui/dialogs/file_filter.h"
#include "gui/dialogs/message_box.h"
#include "gui/forms/application.h"
#include "gui/gui_strings.h"
#include "gui/qt/dialog_window.h"
#include "gui/qt/qt_convert.h"

BREVANT_DEFINE_CLASS(TOpenDialog, TCommonDialog,
                     .Property("DefaultExt", &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)
                         .Property("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
                         .Property("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
                         .Property("FilterIndex", &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)
                         .Default(1)
                         .Property("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
                         .Property("Options", &TOpenDialog::Options, &TOpenDialog::SetOptions)
                         .Default(TOpenOptions{ofHideReadOnly, ofEnableSizing})
                         .Property("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle))

BREVANT_DEFINE_CLASS(TSaveDialog, TOpenDialog, )

namespace {

// Qt's file dialog, with the questions before accepting asked through our message boxes
// (which observers answer) instead of its own.
class TQtFileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;
  std::function<bool(const QStringList&)> Confirm;

  void accept() override {
    const QStringList files = selectedFiles();
    // A folder typed or chosen is opened, not accepted: Qt's own handling does that.
    const bool folder = files.size() == 1 && QFileInfo(files[0]).isDir();
    if (!folder && Confirm) {
      bool ok = false;
      GuardCall([&]() { ok = Confirm(files); });
      if (!ok) return;
    }
    QFileDialog::accept();
  }
};

QString QtFilterOf(const TFileFilter& F) {
  // The patterns behind the description are hidden in the dialog; they match either case.
  QStringList patterns;
  for (const std::string& p : F.Patterns)
    patterns.append(ToQString(EitherCasePattern(p)));
  return ToQString(F.Description) + " (" + patterns.join(' ') + ")";
}

std::string ExtensionOf(const std::string& FileName) {
  return FromQString(QFileInfo(ToQString(FileName)).suffix());
}

}  // namespace

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), Files_(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

bool TOpenDialog::Execute() {
  const std::vector<TFileFilter> filters = ParseFileFilter(Filter_);
  auto* dialog = new TQtFileDialog(DialogParentWidget(this));
  TDialogWindow window(*this, dialog);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  dialog->setViewMode(QFileDialog::Detail);
  dialog->setWindowTitle(ToQString(!Title_.empty() ? Title_
                                   : Saving()      ? LoadResString(SSaveDialogTitle)
                                                   : LoadResString(SOpenDialogTitle)));
  const bool multi = !Saving() && Options_.Contains(ofAllowMultiSelect);
  dialog->setAcceptMode(Saving() ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Existence is checked here, not by Qt, so that the question is one of ours.
  dialog->setFileMode(multi ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
  std::string ext = DefaultExt_;
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  dialog->setDefaultSuffix(ToQString(ext));

  QStringList qtFilters;
  for (const TFileFilter& f : filters)
    qtFilters.append(QtFilterOf(f));
  if (!qtFilters.isEmpty()) {
    dialog->setNameFilters(qtFilters);
    // An index beyond the list chooses the first kind.
    const int index = FilterIndex_ >= 1 && FilterIndex_ <= qtFilters.size() ? FilterIndex_ - 1 : 0;
    dialog->selectNameFilter(qtFilters[index]);
  }

  const QFileInfo named(ToQString(FileName_));
  QString folder;
  if (!FileName_.empty() && FileName_.find('/') != std::string::npos) {
    folder = named.absolutePath();
  } else if (!InitialDir_.empty()) {
    folder = ToQString(InitialDir_);
  } else {
    folder = QDir::currentPath();
  }
  dialog->setDirectory(folder);
  if (!FileName_.empty()) dialog->selectFile(named.fileName());

  const bool mustExist = multi || (!Saving() && Options_.Contains(ofFileMustExist));
  const bool pathMustExist = mustExist || Options_.Contains(ofPathMustExist);
  const bool askOverwrite = Saving() && Options_.Contains(ofOverwritePrompt);
  dialog->Confirm = [=](const QStringList& Files) {
    for (const QString& f : Files) {
      const QFileInfo info(f);
      const std::string name = FromQString(QDir::toNativeSeparators(f));
      if (pathMustExist && !info.absoluteDir().exists()) {
        MessageDlg(Format(LoadResString(SFolderMissing), FromQString(info.absolutePath())), mtWarning,
                   {mbOK});
        return false;
      }
      if (mustExist && !info.exists()) {
        MessageDlg(Format(LoadResString(SFileMissing), name), mtWarning, {mbOK});
        return false;
      }
      if (askOverwrite && info.exists() &&
          MessageDlg(Format(LoadResString(SFileExistsReplace), name), mtConfirmation, {mbYes, mbNo}) != mrYes)
        return false;
    }
    return true;
  };

  window.Name("FileName", dialog->findChild<QLineEdit*>("fileNameEdit"));
  window.Name("FileType", dialog->findChild<QComboBox*>("fileTypeCombo"));
  window.Name("Files", dialog->findChild<QTreeView*>("treeView"));
  window.Name("Folder", dialog->findChild<QComboBox*>("lookInCombo"));
  if (auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox")) {
    window.Name("Accept", buttons->button(Saving() ? QDialogButtonBox::Save : QDialogButtonBox::Open));
    window.Name("Cancel", buttons->button(QDialogButtonBox::Cancel));
  }

  if (!window.ExecModal()) return false;
  Files_->Clear();
  for (const QString& f : dialog->selectedFiles())
    Files_->Add(FromQString(f));
  FileName_ = Files_->Count() > 0 ? Files_->Get(0) : std::string();
  auto* types = static_cast<QComboBox*>(window.Control("FileType"));
  if (!qtFilters.isEmpty() && types != nullptr && types->currentIndex() >= 0)
    FilterIndex_ = types->currentIndex() + 1;
  if (!ext.empty() &&
      QString::compare(ToQString(ExtensionOf(FileName_)), ToQString(ext), Qt::CaseInsensitive) != 0) {
    Options_.Include(ofExtensionDifferent);
  } else {
    Options_.Exclude(ofExtensionDifferent);
  }
  return true;
}
