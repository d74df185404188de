#include "data/engine/session_list.h"

#include <algorithm>

#include "core/strings.h"
#include "data/db_error.h"
#include "data/engine/engine_hooks.h"
#include "data/engine/engine_strings.h"
#include "data/engine/engine_text.h"
#include "data/engine/session.h"

TSessionList* Sessions = nullptr;
TSession* Session = nullptr;

bool DefaultSessionActive() {
  return Session != nullptr && Session->Active();
}

namespace {
bool IsLibrary = false;
}

void SetProgramIsLibrary(bool Value) {
  IsLibrary = Value;
}

bool ProgramIsLibrary() {
  return IsLibrary;
}

TSessionList::TSessionList() = default;

TSessionList::~TSessionList() {
  FreeAll();
}

void TSessionList::FreeAll() {
  // Sessions leave the list as they go; the default session goes last, as it stops the engine.
  for (;;) {
    TSession* victim = nullptr;
    {
      std::lock_guard<std::mutex> guard(ListLock_);
      if (List_.empty()) break;
      victim = List_.size() > 1 ? List_.back() : List_.front();
    }
    if (victim == Session) Session = nullptr;
    delete victim;
  }
}

int TSessionList::Count() const {
  std::lock_guard<std::mutex> guard(ListLock_);
  return static_cast<int>(List_.size());
}

TSession* TSessionList::Sessions(int Index) const {
  std::lock_guard<std::mutex> guard(ListLock_);
  return List_.at(static_cast<size_t>(Index));
}

TSession* TSessionList::DefaultSession() const {
  std::lock_guard<std::mutex> guard(ListLock_);
  for (TSession* session : List_) {
    if (session->IsDefault()) return session;
  }
  return nullptr;
}

TSession* TSessionList::FindSession(const std::string& Name) const {
  if (Name.empty()) return DefaultSession();
  std::lock_guard<std::mutex> guard(ListLock_);
  for (TSession* session : List_) {
    if (SameText(session->SessionName(), Name)) return session;
  }
  return nullptr;
}

TSession* TSessionList::LookupSession(const std::string& Name, const TComponent* Component) const {
  TSession* session = FindSession(Name);
  if (session == nullptr) RaiseDataErrorFmt(LoadResString(SInvalidSessionName), {Name}, Component);
  return session;
}

void TSessionList::GetSessionNames(TStrings* List) const {
  std::lock_guard<std::mutex> guard(ListLock_);
  List->BeginUpdate();
  List->Clear();
  for (TSession* session : List_)
    List->Add(session->SessionName());
  List->EndUpdate();
}

void TSessionList::AddStartupProc(TStartupProc Proc) {
  StartupProcs_.push_back(std::move(Proc));
}

int TSessionList::TakeSessionNumber() {
  std::lock_guard<std::recursive_mutex> guard(SessionLock_);
  size_t i = 1;
  while (i < Numbers_.size() && Numbers_[i])
    ++i;
  if (i >= Numbers_.size()) Numbers_.resize(i + 1, false);
  Numbers_[i] = true;
  return static_cast<int>(i);
}

void TSessionList::ReleaseSessionNumber(int Number) {
  std::lock_guard<std::recursive_mutex> guard(SessionLock_);
  if (Number > 0 && static_cast<size_t>(Number) < Numbers_.size())
    Numbers_[static_cast<size_t>(Number)] = false;
}

void TSessionList::LibraryDetached() {
  if (TSession* first = DefaultSession()) first->Detached_ = true;
  FreeAll();
}

void TSessionList::AddSession(TSession* Item) {
  std::lock_guard<std::mutex> guard(ListLock_);
  Item->Default_ = List_.empty();
  List_.push_back(Item);
}

void TSessionList::RemoveSession(TSession* Item) {
  std::lock_guard<std::mutex> guard(ListLock_);
  std::erase(List_, Item);
}

TDataEngineModule::TDataEngineModule() {
  DataEngineHooks();  // the default hooks take this thread as the main thread
  Sessions = new TSessionList();
  Session = new TSession(nullptr);
  Session->SetSessionName("Default");
}

TDataEngineModule::~TDataEngineModule() {
  delete Sessions;
  Sessions = nullptr;
  Session = nullptr;
}
