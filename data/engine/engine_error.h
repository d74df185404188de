#pragma once
// The errors of the engine side: EDBEngineError, which carries the engine's error entries
// (TDBError) for a status, and ENoResultSet, the error of a dataset that yields no cursor.
//
// The message of an EDBEngineError, built when it is made:
//   - while the default session is active (or for status $2F01): the engine's text for the
//     status, then for each entry of the engine's error stack the text for the entry's status
//     (when the entry has no native code) and the entry's own text; empty texts and texts
//     already collected (ignoring case) are left out, and the texts are joined with CR LF.
//     With nothing collected: "Engine error $%.4x". Status $2EC4 contributes no status texts.
//   - otherwise (the engine is not running): "An error occurred while attempting to
//     initialize the database engine (error $%.4x)".

#include <cstdint>
#include <string>
#include <vector>

#include "data/db_error.h"
#include "dbengine.h"

class TComponent;

class TDBError {
 public:
  TDBError(uint16_t ErrorCode, int32_t NativeError, std::string Message)
      : ErrorCode_(ErrorCode), NativeError_(NativeError), Message_(std::move(Message)) {}

  uint16_t ErrorCode() const { return ErrorCode_; }
  // The high and low byte of the status.
  uint8_t Category() const { return static_cast<uint8_t>(ErrorCode_ >> 8); }
  uint8_t SubCode() const { return static_cast<uint8_t>(ErrorCode_ & 0xFF); }
  // The storage library's own code, 0 when there is none.
  int32_t NativeError() const { return NativeError_; }
  const std::string& Message() const { return Message_; }

 private:
  uint16_t ErrorCode_;
  int32_t NativeError_;
  std::string Message_;
};

class EDBEngineError : public EDatabaseError {
 public:
  // Reads the engine's texts and error stack for Status at once.
  explicit EDBEngineError(EngResult Status);

  int ErrorCount() const { return static_cast<int>(Errors_.size()); }
  const TDBError& Errors(int Index) const { return Errors_.at(static_cast<size_t>(Index)); }
  // The status the error was made for.
  uint16_t ErrorCode() const { return Errors_.empty() ? 0 : Errors_.front().ErrorCode(); }

 private:
  std::vector<TDBError> Errors_;
};

class ENoResultSet : public EDatabaseError {
 public:
  using EDatabaseError::EDatabaseError;
};

// Raises EDBEngineError for a status whose low 16 bits are not 0; answers the status otherwise.
EngResult CheckEngine(EngResult Status);
[[noreturn]] void RaiseEngineError(EngResult Status);
// Raises ENoResultSet "Error creating cursor handle", prefixed with Component's name.
[[noreturn]] void RaiseNoResultSet(const TComponent* Component);
