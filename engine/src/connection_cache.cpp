#include "connection_cache.h"

#include <sys/stat.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace dbengine {

namespace {

int64_t Nanoseconds(const timespec& time) {
  return static_cast<int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

std::string KeyOf(const TTableFile::TOpenRequest& request) {
  return std::string(request.readWrite ? "w" : "r") + (request.waitOnLock ? "1:" : "0:") + request.path;
}

}  // namespace

std::optional<TFileIdentity> TFileIdentity::Of(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  TFileIdentity identity;
  identity.device = info.st_dev;
  identity.inode = info.st_ino;
  identity.size = info.st_size;
  identity.modifiedNs = Nanoseconds(info.st_mtim);
  identity.changedNs = Nanoseconds(info.st_ctim);
  return identity;
}

std::shared_ptr<TTableFile> TConnectionCache::Open(const TTableFile::TOpenRequest& request) {
  // Everything that closes a connection is released after the lock is given back.
  std::vector<std::shared_ptr<TEntry>> closing;
  const std::optional<TFileIdentity> identity = TFileIdentity::Of(request.path);
  const std::string key = KeyOf(request);
  {
    std::lock_guard<std::mutex> guard(lock_);
    CloseIdleLocked(closing);
    const auto found = entries_.find(key);
    if (found != entries_.end()) {
      if (identity && Reusable(*found->second, *identity, request)) return Lend(found->second);
      // A file that changed, or a password no longer offered: that connection serves no one new.
      closing.push_back(std::move(found->second));
      entries_.erase(found);
    }
    // Reading is the same through a connection opened for writing: a read-only handle borrows one
    // (the game's table stays open for writing while its queries read), and whether a handle may
    // write is its own mode, never the connection's.
    if (!request.readWrite && identity) {
      TTableFile::TOpenRequest writing = request;
      writing.readWrite = true;
      const auto borrowed = entries_.find(KeyOf(writing));
      if (borrowed != entries_.end() && Reusable(*borrowed->second, *identity, request))
        return Lend(borrowed->second);
    }
  }
  // Not a plain file: the open itself says what it is instead.
  if (!identity) return TTableFile::Open(request);
  auto entry = std::make_shared<TEntry>();
  entry->file = TTableFile::Open(request);
  // The identity read before the open: a file changed while it was being opened is not trusted
  // later, since its identity no longer matches.
  entry->identity = *identity;
  std::lock_guard<std::mutex> guard(lock_);
  auto& slot = entries_[key];
  if (slot) closing.push_back(std::move(slot));
  slot = entry;
  return Lend(entry);
}

void TConnectionCache::NoteWrite(const TTableFile& file) {
  const std::optional<TFileIdentity> identity = TFileIdentity::Of(file.Path());
  std::lock_guard<std::mutex> guard(lock_);
  for (auto& [key, entry] : entries_) {
    if (entry->file.get() != &file) continue;
    if (identity) {
      entry->identity = *identity;
    } else {
      entry->identity = TFileIdentity();  // gone or replaced by something else: never reused
    }
  }
}

bool TConnectionCache::Reusable(const TEntry& entry, const TFileIdentity& identity,
                                const TTableFile::TOpenRequest& request) const {
  if (!(entry.identity == identity)) return false;
  if (!entry.file->Encrypted()) return true;
  // Without the cache the open would try the request's passwords; only one of them can open the
  // file, so the connection is the same as long as its password is still among them.
  const auto& offered = request.passwords;
  return std::find(offered.begin(), offered.end(), entry.file->Key()) != offered.end();
}

std::shared_ptr<TTableFile> TConnectionCache::Lend(const std::shared_ptr<TEntry>& entry) {
  ++entry->users;
  // The caller's pointer shares nothing with the entry's own: when its last copy goes, the entry
  // counts one user less and, when none is left, starts its idle time.
  return std::shared_ptr<TTableFile>(entry->file.get(), [this, entry](TTableFile*) { GiveBack(entry); });
}

void TConnectionCache::GiveBack(const std::shared_ptr<TEntry>& entry) {
  std::lock_guard<std::mutex> guard(lock_);
  if (--entry->users == 0) entry->idleSince = Now();
}

void TConnectionCache::CloseIdleLocked(std::vector<std::shared_ptr<TEntry>>& closing) {
  const TClock::time_point now = Now();
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (it->second->users == 0 && now - it->second->idleSince >= linger_) {
      closing.push_back(std::move(it->second));
      it = entries_.erase(it);
    } else {
      ++it;
    }
  }
}

void TConnectionCache::CloseIdle() {
  std::vector<std::shared_ptr<TEntry>> closing;
  std::lock_guard<std::mutex> guard(lock_);
  CloseIdleLocked(closing);
}

void TConnectionCache::Clear() {
  std::map<std::string, std::shared_ptr<TEntry>> closing;
  std::lock_guard<std::mutex> guard(lock_);
  closing.swap(entries_);
}

size_t TConnectionCache::Size() const {
  std::lock_guard<std::mutex> guard(lock_);
  return entries_.size();
}

}  // namespace dbengine
