#include "handles.h"

#include "status.h"

namespace dbengine {

namespace {
constexpr uint32_t kGenerationMask = 0xFFFu;
}  // namespace

EngHandle THandleTable::Add(std::unique_ptr<TObject> object) {
  uint32_t index;
  if (!free_.empty()) {
    index = free_.back();
    free_.pop_back();
  } else {
    if (slots_.size() >= kIndexMask) Fail(ENG_ERR_NO_MEMORY, "Too many open engine objects");
    index = static_cast<uint32_t>(slots_.size());
    slots_.emplace_back();
  }
  TSlot& slot = slots_[index];
  slot.generation = (slot.generation + 1) & kGenerationMask;
  const EngHandle handle = (slot.generation << kIndexBits) | (index + 1);
  object->SetHandle(handle);
  slot.object = std::move(object);
  return handle;
}

std::unique_ptr<TObject> THandleTable::Take(EngHandle handle) {
  if (Find(handle) == nullptr) return nullptr;
  const uint32_t index = (handle & kIndexMask) - 1;
  free_.push_back(index);
  return std::move(slots_[index].object);
}

std::vector<TObject*> THandleTable::All() const {
  std::vector<TObject*> objects;
  for (const auto& slot : slots_) {
    if (slot.object) objects.push_back(slot.object.get());
  }
  return objects;
}

void THandleTable::Clear() {
  slots_.clear();
  free_.clear();
}

}  // namespace dbengine
