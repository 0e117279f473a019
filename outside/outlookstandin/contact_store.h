// The contacts folder's items: the entry file (outside/entryfile) named by ZEM_OUTLOOK_FILE,
// an entry's kind being the item's Class (40 contact, 69 distribution list) and its values the
// text properties by dispatch id. Read when the folder's items are first taken; a saved new
// item is appended. Finds go through an index per property.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <map>
#include <string>
#include <vector>
#include "entry_file.h"
#include "item_filter.h"

namespace outlook {

using Item = entryfile::Entry;
enum { kContactClass = 40 };

class CContactStore {
public:
    void Load();
    const std::vector<Item>& Items() const { return items_; }
    // Appends a saved item; false when the file cannot be written.
    bool Append(const Item& item);
    // The first item (in folder order) whose properties equal every clause, or -1.
    int Find(const std::vector<FilterClause>& clauses);

private:
    const std::vector<size_t>& Candidates(DISPID property, const std::string& value);

    std::string path_;
    std::vector<Item> items_;
    std::map<DISPID, std::map<std::string, std::vector<size_t>>> index_;
};

}  // namespace outlook
