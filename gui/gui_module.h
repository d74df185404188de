#pragma once
// Start-up of the window framework: the Qt application, the global Application and Screen
// objects and the registration of the framework's classes for stored layouts. The program
// makes one TGuiModule at the start of main; its end frees every form, then Qt.

#include <memory>

class QApplication;

// Registers every class of the framework that stored layouts create by name.
void RegisterGuiClasses();

class TGuiModule {
 public:
  // Argc must outlive the module (Qt keeps a reference to it).
  TGuiModule(int& Argc, char** Argv);
  ~TGuiModule();
  TGuiModule(const TGuiModule&) = delete;
  TGuiModule& operator=(const TGuiModule&) = delete;

 private:
  std::unique_ptr<QApplication> Qt_;
};
