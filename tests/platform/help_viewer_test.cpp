#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QTextBrowser>
#include <filesystem>
#include <fstream>

#include "platform/help/help_viewer.h"

namespace {

class HelpViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("brevant_help_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    InvokeHelp(nullptr, "", HELP_QUIT, 0);
    for (QWidget* w : QApplication::topLevelWidgets())
      delete w;
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
  }
  static QWidget* Window(const char* Title) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && w->windowTitle() == Title) return w;
    }
    return nullptr;
  }
  static QMessageBox* Report() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible()) return box;
    }
    return nullptr;
  }
  std::filesystem::path dir_;
  std::filesystem::path old_;
};

TEST_F(HelpViewerTest, FinderShowsTheTopicsOfAFileInTheCurrentFolder) {
  std::ofstream("Game.hlp") << "help 1\ntitle: Game\n= First\nOne.\n= Second\nTwo.\n";
  EXPECT_TRUE(InvokeHelp(nullptr, "Game.hlp", HELP_FINDER, 0));
  QWidget* window = Window("Game - Help");
  ASSERT_NE(window, nullptr);
  auto* topics = window->findChild<QListWidget*>();
  ASSERT_EQ(topics->count(), 2);
  EXPECT_EQ(topics->item(1)->text(), "Second");
  EXPECT_TRUE(window->findChild<QTextBrowser*>()->toPlainText().contains("One."));

  // Asking again brings the same window back instead of a second one.
  EXPECT_TRUE(InvokeHelp(nullptr, "Game.hlp", HELP_CONTEXT, 2));
  int count = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    count += w->isVisible() && w->windowTitle() == "Game - Help";
  EXPECT_EQ(count, 1);
  EXPECT_TRUE(window->findChild<QTextBrowser*>()->toPlainText().contains("Two."));

  EXPECT_TRUE(InvokeHelp(nullptr, "", HELP_QUIT, 0));
  QApplication::processEvents();
  EXPECT_EQ(Window("Game - Help"), nullptr);
}

TEST_F(HelpViewerTest, MissingAndDamagedFilesAreReportedByTheViewer) {
  EXPECT_FALSE(InvokeHelp(nullptr, "Nowhere.hlp", HELP_FINDER, 0));
  QMessageBox* box = Report();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), "Cannot find the help file \"Nowhere.hlp\".");
  box->close();
  QApplication::processEvents();

  std::ofstream("Broken.hlp") << "this is no help file";
  EXPECT_FALSE(InvokeHelp(nullptr, "Broken.hlp", HELP_FINDER, 0));
  box = Report();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->text().startsWith("The help file \"Broken.hlp\" cannot be shown: Broken.hlp, line 1:"));
}

}  // namespace
