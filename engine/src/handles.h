// Opaque 32-bit handles for the engine's objects.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "dbengine.h"

namespace dbengine {

enum class TObjectKind : uint8_t { Session, Database, Cursor, Statement };

class TObject {
 public:
  explicit TObject(TObjectKind kind) : kind_(kind) {}
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  TObjectKind Kind() const { return kind_; }
  EngHandle Handle() const { return handle_; }
  void SetHandle(EngHandle handle) { handle_ = handle; }

 private:
  TObjectKind kind_;
  EngHandle handle_ = 0;
};

// A slot table: a handle is the slot number plus one in its low 20 bits and the slot's reuse count in its
// high 12, so that a handle of a closed object is not taken for the next object in the same slot.
class THandleTable {
 public:
  EngHandle Add(std::unique_ptr<TObject> object);
  TObject* Find(EngHandle handle) const {
    const uint32_t index = handle & kIndexMask;
    if (index == 0 || index > slots_.size()) return nullptr;
    TObject* object = slots_[index - 1].object.get();
    return object != nullptr && object->Handle() == handle ? object : nullptr;
  }
  std::unique_ptr<TObject> Take(EngHandle handle);
  // Every live object, in slot order.
  std::vector<TObject*> All() const;
  void Clear();

 private:
  static constexpr uint32_t kIndexBits = 20;
  static constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
  struct TSlot {
    std::unique_ptr<TObject> object;
    uint32_t generation = 0;
  };
  std::vector<TSlot> slots_;
  std::vector<uint32_t> free_;
};

}  // namespace dbengine
