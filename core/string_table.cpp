#include "core/string_table.h"

#include <map>
#include <mutex>

namespace {

struct Table {
  std::mutex Lock;
  std::map<std::string, std::string> Replaced;
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

std::string LoadResString(const TResString& Entry) {
  Table& table = TheTable();
  std::lock_guard guard(table.Lock);
  if (!table.Replaced.empty()) {
    auto it = table.Replaced.find(Entry.Id);
    if (it != table.Replaced.end()) return it->second;
  }
  return Entry.Default;
}

void TStringTable::Replace(const std::string& Id, const std::string& Text) {
  Table& table = TheTable();
  std::lock_guard guard(table.Lock);
  table.Replaced[Id] = Text;
}

void TStringTable::Restore(const std::string& Id) {
  Table& table = TheTable();
  std::lock_guard guard(table.Lock);
  table.Replaced.erase(Id);
}
