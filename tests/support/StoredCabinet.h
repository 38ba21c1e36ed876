// Writes a cabinet of stored (uncompressed) entries under names taken byte
// for byte, so that tests can build cabinets a normal cabinet tool refuses
// to make (rooted names, drives, ".." segments, overlong names). A name that
// is UTF-8 outside ASCII is flagged so; any other is in a code page.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct StoredEntry {
    std::string name;  // stored exactly as given
    std::string contents;
};

// True when the cabinet file was written.
bool WriteStoredCabinet(const std::string& path, const std::vector<StoredEntry>& entries);

// Writes a set of two cabinets: `firstPath` holds the `whole` entries and
// begins `spanned` (2 bytes to 32 KB), which ends in the part `secondName`
// written beside it. The first part's header announces the second.
bool WriteSpannedCabinets(const std::string& firstPath, const std::string& secondName,
                          const std::vector<StoredEntry>& whole, const StoredEntry& spanned);

}  // namespace testing_support
