#include "data/engine/engine_callback.h"

#include <algorithm>
#include <cstring>

#include "data/engine/engine_entries.h"
#include "data/engine/engine_error.h"

TEngineCallback::TEngineCallback(TObject* Owner, EngHandle Cursor, uint32_t Type, void* Buffer,
                                 uint16_t BufferLength, TEngineCallbackEvent Event, bool Chain)
    : Owner_(Owner),
      Cursor_(Cursor),
      Type_(Type),
      Buffer_(Buffer),
      BufferLength_(BufferLength),
      Event_(std::move(Event)) {
  CheckEngine(DbEngine.EngGetCallback(Cursor_, Type_, &OldData_, &OldLength_, &OldBuffer_, &OldFunction_));
  if (!Chain && OldFunction_ != nullptr) return;
  CheckEngine(DbEngine.EngRegisterCallback(Cursor_, Type_, reinterpret_cast<uintptr_t>(this), BufferLength_,
                                           Buffer_, &TEngineCallback::Dispatch));
  Installed_ = true;
}

TEngineCallback::~TEngineCallback() {
  if (!Installed_) return;
  DbEngine.EngRegisterCallback(Cursor_, Type_, OldData_, OldLength_, OldBuffer_, OldFunction_);
}

uint32_t TEngineCallback::Dispatch(uint32_t Type, uintptr_t ClientData, void* Info) {
  auto* self = reinterpret_cast<TEngineCallback*>(ClientData);
  // The event may free the object (a library detach frees every session): everything needed
  // afterwards is copied first.
  const TEngineCallbackEvent event = Type == self->Type_ ? self->Event_ : TEngineCallbackEvent();
  const EngCallbackFn oldFunction = self->OldFunction_;
  const uintptr_t oldData = self->OldData_;
  void* const oldBuffer = self->OldBuffer_;
  const uint16_t copied = std::min(self->OldLength_, self->BufferLength_);
  uint32_t result = 0;
  try {
    if (event) result = event(Info);
  } catch (...) {
    // Nothing may unwind into the engine.
    result = 0;
  }
  if (oldFunction != nullptr) {
    // The replaced registration sees the same information in its own buffer.
    if (oldBuffer != nullptr && Info != nullptr && oldBuffer != Info) std::memcpy(oldBuffer, Info, copied);
    result = oldFunction(Type, oldData, oldBuffer != nullptr ? oldBuffer : Info);
  }
  return result;
}
