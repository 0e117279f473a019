// The address book's contents: the entry file (outside/entryfile) named by ZEM_WAB_FILE, the
// entry's kind being its object type (6 mail user, 8 distribution list) and its values the
// string properties by tag. Entries are read when the address book opens and appended when a
// new one is saved.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "entry_file.h"

namespace wab {

using Entry = entryfile::Entry;

class CStore {
public:
    // Reads the file that ZEM_WAB_FILE names (no file: an empty address book).
    void Load();
    // Appends the entry to the file and to the entries; false when the file cannot be written.
    bool Append(const Entry& entry);
    // True when a mail user holds the same display name and e-mail address.
    bool HasEqual(const Entry& entry) const;

    const std::vector<Entry>& Entries() const { return entries_; }

private:
    std::string path_;
    std::vector<Entry> entries_;
};

}  // namespace wab
