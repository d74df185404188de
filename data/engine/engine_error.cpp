#include "data/engine/engine_error.h"

#include "core/component.h"
#include "data/engine/engine_entries.h"
#include "data/engine/engine_strings.h"
#include "data/engine/engine_text.h"
#include "data/engine/session_list.h"
#include "data/engine/sql_wait_cursor.h"

namespace {

constexpr uint16_t kStatusNoStatusText = 0x2EC4;
constexpr uint16_t kStatusAlwaysFromEngine = 0x2F01;

// The engine's text for a status, trimmed; empty when the engine cannot give one.
std::string StatusText(uint16_t Status) {
  char text[ENG_MSG_BUFFER] = {};
  if (ENG_STATUS(DbEngine.EngGetErrorText(Status, text)) != ENG_OK) return {};
  return std::string(Trim(FixedText(text, ENG_MAX_MSG_LEN)));
}

// The collected message lines: empty texts and texts already present (ignoring case) are skipped.
class TMessageLines {
 public:
  void Add(const std::string& Text) {
    if (Text.empty()) return;
    for (const std::string& line : Lines_) {
      if (SameText(line, Text)) return;
    }
    Lines_.push_back(Text);
  }
  bool Empty() const { return Lines_.empty(); }
  std::string Joined() const {
    std::string out;
    for (size_t i = 0; i < Lines_.size(); ++i) {
      if (i > 0) out += "\r\n";
      out += Lines_[i];
    }
    return out;
  }

 private:
  std::vector<std::string> Lines_;
};

}  // namespace

EDBEngineError::EDBEngineError(EngResult Status) : EDatabaseError("") {
  const uint16_t status = ENG_STATUS(Status);
  ResetSQLWaitCursor();
  if (!DefaultSessionActive() && status != kStatusAlwaysFromEngine) {
    const std::string message = Format(LoadResString(SInitError), status);
    Errors_.emplace_back(status, 0, message);
    SetMessage(message);
    return;
  }
  Errors_.emplace_back(status, 0, StatusText(status));
  TMessageLines lines;
  if (status != kStatusNoStatusText) lines.Add(Errors_.front().Message());
  for (uint16_t entry = 1; entry != 0; ++entry) {
    int32_t native = 0;
    char text[ENG_MSG_BUFFER] = {};
    const uint16_t entryStatus = ENG_STATUS(DbEngine.EngGetErrorEntry(entry, &native, text));
    if (entryStatus == ENG_OK || entryStatus == ENG_ERR_NOT_AVAILABLE) break;
    Errors_.emplace_back(entryStatus, native, FixedText(text, ENG_MAX_MSG_LEN));
    if (native == 0 && status != kStatusNoStatusText) lines.Add(StatusText(entryStatus));
    lines.Add(std::string(Trim(Errors_.back().Message())));
  }
  SetMessage(lines.Empty() ? Format(LoadResString(SEngineError), status) : lines.Joined());
}

EngResult CheckEngine(EngResult Status) {
  if (ENG_STATUS(Status) != ENG_OK) throw EDBEngineError(Status);
  return Status;
}

void RaiseEngineError(EngResult Status) {
  throw EDBEngineError(Status);
}

void RaiseNoResultSet(const TComponent* Component) {
  const std::string text = LoadResString(SHandleError);
  if (Component != nullptr && !Component->Name().empty()) throw ENoResultSet(Component->Name() + ": " + text);
  throw ENoResultSet(text);
}
