#pragma once
// TEngineCallback: one registration of a function with the engine (server calls, logins,
// library detach), for the current session (cursor 0) or one cursor.
//
// Installing reads the engine's registration for the same cursor and type and registers
// this object's when chaining was asked for or nothing was registered; the engine then calls
// one common dispatcher with this object as its client data. The dispatcher runs the event
// when the type matches (else the answer is 0), then calls the replaced function, if any,
// whose answer counts instead. Uninstalling (the destructor) puts the replaced registration
// back, or registers nothing; its errors are ignored.

#include <cstdint>
#include <functional>

#include "dbengine.h"

class TObject;

// Gets the information buffer the engine filled; answers the callback's result.
using TEngineCallbackEvent = std::function<uint32_t(void* Info)>;

class TEngineCallback {
 public:
  // Raises EDBEngineError when the registration fails.
  TEngineCallback(TObject* Owner, EngHandle Cursor, uint32_t Type, void* Buffer, uint16_t BufferLength,
                  TEngineCallbackEvent Event, bool Chain);
  ~TEngineCallback();
  TEngineCallback(const TEngineCallback&) = delete;
  TEngineCallback& operator=(const TEngineCallback&) = delete;

  TObject* Owner() const { return Owner_; }
  EngHandle Cursor() const { return Cursor_; }
  uint32_t CallbackType() const { return Type_; }
  bool Installed() const { return Installed_; }

 private:
  static uint32_t Dispatch(uint32_t Type, uintptr_t ClientData, void* Info);

  TObject* Owner_;
  EngHandle Cursor_;
  uint32_t Type_;
  void* Buffer_;
  uint16_t BufferLength_;
  TEngineCallbackEvent Event_;
  // The registration this one replaced.
  uintptr_t OldData_ = 0;
  uint16_t OldLength_ = 0;
  void* OldBuffer_ = nullptr;
  EngCallbackFn OldFunction_ = nullptr;
  bool Installed_ = false;
};
