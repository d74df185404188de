// Open table files kept for reuse, so that opening the same encrypted table again does not derive its
// key again (the derivation is slow on purpose: tens of milliseconds).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "storage.h"

namespace dbengine {

// What tells one file's bytes from another's behind the same name: a file replaced by another (a new
// inode), written to (size, modification time) or given other permissions (change time) differs.
struct TFileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  int64_t modifiedNs = 0;
  int64_t changedNs = 0;

  bool operator==(const TFileIdentity&) const = default;
  // The identity of a regular file; nullopt for anything else or when it cannot be read.
  static std::optional<TFileIdentity> Of(const std::string& path);
};

// One connection per table file, mode and lock wait, shared by every cursor and statement of the
// process that reads the file that way, and kept for a short while after the last of them lets go (a
// query closed and opened again right after finds it). A kept connection is only handed out while the
// file is still the one it was opened on and the request still offers the password that opened it;
// otherwise the file is opened anew, exactly as it would be without the cache. A read-only request
// with no connection of its own borrows a kept read-write one of the same file and lock wait.
//
// The engine is called from one thread at a time; the cache takes its own lock as well, so that a
// connection let go on another thread cannot corrupt it.
class TConnectionCache {
 public:
  using TClock = std::chrono::steady_clock;
  static constexpr std::chrono::seconds kDefaultLinger{5};

  explicit TConnectionCache(TClock::duration linger = kDefaultLinger) : linger_(linger) {}
  ~TConnectionCache() { Clear(); }
  TConnectionCache(const TConnectionCache&) = delete;
  TConnectionCache& operator=(const TConnectionCache&) = delete;

  // The open table file for request: a kept one, or one opened now with TTableFile::Open (whose
  // failures pass through) and kept. The file stays in use while any copy of the answer lives.
  std::shared_ptr<TTableFile> Open(const TTableFile::TOpenRequest& request);

  // After this process wrote through file: its own connection stays current (it made the change), so the
  // file's identity it is kept under becomes the file's new one. Other connections to the file keep the
  // old identity and are opened afresh when asked for again.
  void NoteWrite(const TTableFile& file);

  // Closes every connection no one uses and forgets the others (they close with their last user).
  void Clear();
  // Closes the connections no one has used for longer than the linger time.
  void CloseIdle();

  // Kept connections, used or idle.
  size_t Size() const;
  void SetLinger(TClock::duration linger) { linger_ = linger; }
  // A clock of the test's own; none means the steady clock.
  void SetClock(TClock::time_point (*now)()) { now_ = now; }

 private:
  struct TEntry {
    std::shared_ptr<TTableFile> file;
    TFileIdentity identity;
    int users = 0;
    TClock::time_point idleSince;
  };

  bool Reusable(const TEntry& entry, const TFileIdentity& identity,
                const TTableFile::TOpenRequest& request) const;
  std::shared_ptr<TTableFile> Lend(const std::shared_ptr<TEntry>& entry);
  void GiveBack(const std::shared_ptr<TEntry>& entry);
  TClock::time_point Now() const { return now_ != nullptr ? now_() : TClock::now(); }
  void CloseIdleLocked(std::vector<std::shared_ptr<TEntry>>& closing);

  mutable std::mutex lock_;
  std::map<std::string, std::shared_ptr<TEntry>> entries_;
  TClock::duration linger_;
  TClock::time_point (*now_)() = nullptr;
};

}  // namespace dbengine
