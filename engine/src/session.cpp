#include "session.h"

#include <algorithm>
#include <cstring>

#include "ini_file.h"
#include "text.h"

namespace dbengine {

void TSession::AddPassword(const std::string& password) {
  if (password.empty()) return;
  if (std::find(passwords_.begin(), passwords_.end(), password) == passwords_.end()) {
    passwords_.push_back(password);
  }
}

void TSession::DropPassword(const std::string& password) {
  passwords_.erase(std::remove(passwords_.begin(), passwords_.end(), password), passwords_.end());
}

void TSession::Register(EngHandle cursor, uint32_t type, const TCallbackRegistration& registration) {
  if (registration.fn == nullptr) {
    callbacks_.erase({cursor, type});
  } else {
    callbacks_[{cursor, type}] = registration;
  }
}

TCallbackRegistration TSession::Registration(EngHandle cursor, uint32_t type) const {
  const auto found = callbacks_.find({cursor, type});
  return found == callbacks_.end() ? TCallbackRegistration{} : found->second;
}

uint32_t TSession::Call(uint32_t type, const void* info, size_t infoLength) const {
  const TCallbackRegistration registration = Registration(0, type);
  if (registration.fn == nullptr) return 0;
  if (registration.buffer != nullptr && info != nullptr) {
    std::memcpy(registration.buffer, info, std::min<size_t>(infoLength, registration.bufferLength));
  }
  return registration.fn(type, registration.clientData, registration.buffer);
}

void TSession::ForgetCursorCallbacks(EngHandle cursor) {
  for (auto it = callbacks_.begin(); it != callbacks_.end();) {
    it = it->first.first == cursor ? callbacks_.erase(it) : std::next(it);
  }
}

void TSession::AddAlias(TAlias alias) {
  DeleteAlias(alias.name);
  aliases_.push_back(std::move(alias));
}

bool TSession::DeleteAlias(const std::string& name) {
  const auto before = aliases_.size();
  aliases_.erase(std::remove_if(aliases_.begin(), aliases_.end(),
                                [&](const TAlias& alias) { return EqualsIgnoringCase(alias.name, name); }),
                 aliases_.end());
  return aliases_.size() != before;
}

const TAlias* TSession::FindAlias(const std::string& name) const {
  for (const auto& alias : aliases_) {
    if (EqualsIgnoringCase(alias.name, name)) return &alias;
  }
  return nullptr;
}

}  // namespace dbengine
