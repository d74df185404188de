// Telling a damaged first page from a wrong password. An encrypted table's first page carries both the
// salt of its key and that page's own check, so damage there looks to the storage library exactly like a
// wrong password. The other pages are checked with the same key: when a password opens the second page
// with the salt found on the first, the password is right and the first page is damaged.
#pragma once

#include <optional>
#include <string>

#include "storage.h"

namespace dbengine {

// Whether password's key opens the second page of the encrypted file at path; nullopt when that cannot
// be told (a file of one page, an unreadable file, a storage library whose page format is not known).
std::optional<bool> SecondPageOpensWith(const std::string& path, const std::string& password);

}  // namespace dbengine
