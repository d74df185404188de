#include "platform/help/help_viewer.h"

#include <unistd.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "core/exceptions.h"
#include "platform/help/help_file.h"
#include "platform/library.h"

namespace {

class THelpWindow : public QWidget {
 public:
  THelpWindow(const std::string& Path, THelpFile File) : Path_(Path), File_(std::move(File)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(
        QString::fromStdString((File_.Title.empty() ? std::string("Help") : File_.Title) + " - Help"));
    resize(720, 480);

    Search_ = new QLineEdit(this);
    Search_->setPlaceholderText("Find a topic");
    Search_->setClearButtonEnabled(true);
    Topics_ = new QListWidget(this);
    Text_ = new QTextBrowser(this);
    Text_->setOpenLinks(false);
    auto* print = new QPushButton("&Print...", this);
    auto* close = new QPushButton("&Close", this);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(Search_);
    leftLayout->addWidget(Topics_);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(Text_);
    splitter->setStretchFactor(1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter);
    layout->addLayout(buttons);

    for (const THelpTopic& topic : File_.Topics)
      Topics_->addItem(QString::fromStdString(topic.Title));
    connect(Topics_, &QListWidget::currentRowChanged, this, [this](int row) { ShowTopic(row); });
    connect(Search_, &QLineEdit::textChanged, this, [this](const QString& words) { Filter(words); });
    connect(print, &QPushButton::clicked, this, [this] { Print(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    Topics_->setCurrentRow(0);
  }

  const std::string& Path() const { return Path_; }

  void ShowTopicNumber(int Index) {
    if (Index >= 0 && Index < Topics_->count()) Topics_->setCurrentRow(Index);
  }

 private:
  void ShowTopic(int Row) {
    if (Row < 0 || Row >= static_cast<int>(File_.Topics.size())) return;
    Text_->setHtml(QString::fromStdString(TopicToHtml(File_.Topics[static_cast<size_t>(Row)])));
  }

  void Filter(const QString& Words) {
    const std::string words = Words.toStdString();
    int first = -1;
    for (int i = 0; i < Topics_->count(); ++i) {
      const bool match = TopicMatches(File_.Topics[static_cast<size_t>(i)], words);
      Topics_->item(i)->setHidden(!match);
      if (match && first < 0) first = i;
    }
    if (first >= 0 && (Topics_->currentRow() < 0 || Topics_->currentItem()->isHidden()))
      Topics_->setCurrentRow(first);
    if (!Words.isEmpty()) Text_->find(Words);
  }

  void Print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) Text_->document()->print(&printer);
  }

  std::string Path_;
  THelpFile File_;
  QLineEdit* Search_;
  QListWidget* Topics_;
  QTextBrowser* Text_;
};

std::vector<QPointer<THelpWindow>>& OpenWindows() {
  static std::vector<QPointer<THelpWindow>> windows;
  return windows;
}

void Report(QWidget* Owner, const QString& Text) {
  // Not modal to the whole program: the game goes on while the report shows.
  auto* box = new QMessageBox(QMessageBox::Warning, "Help", Text, QMessageBox::Ok, Owner);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setObjectName("HelpReport");
  box->open();
}

}  // namespace

std::string LocateHelpFile(const std::string& File) {
  if (File.empty()) return {};
  std::error_code ec;
  if (File.find('/') != std::string::npos)
    return std::filesystem::is_regular_file(File, ec) ? File : std::string();
  const std::string exeDir = ProgramFolder();
  const std::vector<std::string> candidates = {
      (std::filesystem::current_path(ec) / File).string(),
      exeDir.empty() ? std::string() : exeDir + "/" + File,
      exeDir.empty() ? std::string() : exeDir + "/../share/brevant/" + File,
  };
  for (const std::string& c : candidates) {
    if (!c.empty() && std::filesystem::is_regular_file(c, ec)) return c;
  }
  return {};
}

bool InvokeHelp(QWidget* Owner, const std::string& File, unsigned Command, uintptr_t Data) {
  auto& windows = OpenWindows();
  windows.erase(std::remove_if(windows.begin(), windows.end(), [](const auto& w) { return w.isNull(); }),
                windows.end());
  if (Command == HELP_QUIT) {
    for (auto& w : windows)
      w->close();
    return true;
  }
  if (Command != HELP_FINDER && Command != HELP_CONTENTS && Command != HELP_CONTEXT) return false;

  const std::string path = LocateHelpFile(File);
  if (path.empty()) {
    Report(Owner, QString::fromStdString("Cannot find the help file \"" + File + "\"."));
    return false;
  }
  for (auto& w : windows) {
    if (w->Path() == path) {
      if (Command == HELP_CONTEXT) w->ShowTopicNumber(static_cast<int>(Data) - 1);
      w->show();
      w->raise();
      w->activateWindow();
      return true;
    }
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  THelpFile parsed;
  try {
    if (!in) throw EReadError("cannot read the file");
    parsed = ParseHelpFile(text.str(), std::filesystem::path(path).filename().string());
  } catch (const Exception& e) {
    Report(Owner, QString::fromStdString("The help file \"" + File + "\" cannot be shown: " + e.Message()));
    return false;
  }
  auto* window = new THelpWindow(path, std::move(parsed));
  if (Command == HELP_CONTEXT) window->ShowTopicNumber(static_cast<int>(Data) - 1);
  windows.push_back(window);
  window->show();
  return true;
}
