// A second process for the engine's write tests: it writes to a quiz table through its own copy of the
// engine while the test's process holds the same table, or until the test kills it.
//
//   engine_write_child <library> <config> modify <quizName>   edits the first row's QuizName, posts, exits
//   engine_write_child <library> <config> churn               posts large blobs to the first row forever,
//                                                              writing one byte to its output after each
//
// Every row the churn writes is self-describing: QuizName "v<n>" and a blob of n mod 251 repeated, so
// that a reader can tell a whole post from a torn one. Exit code 0 means done; anything else prints why.
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "dbengine.h"

namespace {

struct TApi {
#define DECLARE_ENTRY(name) decltype(&::name) name = nullptr;
  ENG_ENTRIES(DECLARE_ENTRY)
#undef DECLARE_ENTRY
};

TApi api;

[[noreturn]] void Die(const char* what, EngResult status) {
  char text[ENG_MSG_BUFFER] = {};
  int32_t native = 0;
  api.EngGetErrorEntry(1, &native, text);
  std::fprintf(stderr, "%s: status %04x: %s\n", what, ENG_STATUS(status), text);
  std::_Exit(2);
}

void Check(const char* what, EngResult status) {
  if (status != ENG_OK) Die(what, status);
}

// Posts to the first row: QuizName, and when blobSize > 0 the Question blob filled with fill.
void PostFirstRow(EngHandle cursor, std::vector<unsigned char>& record, const std::string& quizName,
                  uint32_t blobSize, unsigned char fill) {
  Check("first", api.EngSetToBegin(cursor));
  Check("lock", api.EngGetNextRecord(cursor, ENG_LOCK_WRITE, record.data(), nullptr));
  Check("name", api.EngPutField(cursor, 2, record.data(), quizName.c_str()));
  if (blobSize > 0) {
    Check("open blob", api.EngOpenBlob(cursor, record.data(), 3, ENG_OPEN_READWRITE));
    Check("truncate", api.EngTruncateBlob(cursor, record.data(), 3, 0));
    const std::vector<unsigned char> piece(64 * 1024, fill);
    for (uint32_t offset = 0; offset < blobSize; offset += static_cast<uint32_t>(piece.size())) {
      const auto length = static_cast<uint32_t>(std::min<size_t>(piece.size(), blobSize - offset));
      Check("put blob", api.EngPutBlob(cursor, record.data(), 3, offset, length, piece.data()));
    }
    Check("free blob", api.EngFreeBlob(cursor, record.data(), 3));
  }
  Check("post", api.EngModifyRecord(cursor, record.data(), 1));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <library> <config> modify <name> | churn\n", argv[0]);
    return 1;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "%s\n", dlerror());
    return 1;
  }
#define RESOLVE_ENTRY(name) api.name = reinterpret_cast<decltype(&::name)>(dlsym(library, #name));
  ENG_ENTRIES(RESOLVE_ENTRY)
#undef RESOLVE_ENTRY
  Check("library", api.LIBINITFUNCTION());
  EngEnv env{};
  std::strcpy(env.language, "0009");
  std::snprintf(env.configFile, sizeof env.configFile, "%s", argv[2]);
  Check("start", api.EngineInit(ENG_VERSION, &env));
  Check("password", api.EngAddPassword("pelmut"));
  EngHandle db = 0, cursor = 0;
  Check("database", api.EngOpenDatabase("quiz", nullptr, ENG_OPEN_READWRITE, ENG_SHARE_SHARED, "", &db));
  Check("table", api.EngOpenTable(db, "vezedezavuza", nullptr, nullptr, nullptr, 0, ENG_OPEN_READWRITE,
                                  ENG_SHARE_SHARED, ENG_XLT_RECORD, 0, nullptr, &cursor));
  EngCursorProps props{};
  Check("properties", api.EngGetCursorProps(cursor, &props));
  std::vector<unsigned char> record(props.recordSize);

  const std::string mode = argv[3];
  if (mode == "modify" && argc == 5) {
    PostFirstRow(cursor, record, argv[4], 0, 0);
  } else if (mode == "churn") {
    for (uint32_t n = static_cast<uint32_t>(getpid()) % 1000;; ++n) {
      // Between half a megabyte and two, so that a post spans many pages of the file.
      const uint32_t size = 512 * 1024 + (n * 7919u) % (1536 * 1024);
      PostFirstRow(cursor, record, "v" + std::to_string(n), size, static_cast<unsigned char>(n % 251));
      if (write(STDOUT_FILENO, "+", 1) != 1) return 3;
    }
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 1;
  }
  Check("close", api.EngCloseCursor(cursor));
  Check("stop", api.EngineExit());
  return 0;
}
