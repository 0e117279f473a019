#include "wab_store.h"

namespace wab {

namespace {

const ULONG kDisplayName = 0x3001001E, kEmailAddress = 0x3003001E, kMailUser = 6;

std::string Value(const Entry& entry, ULONG tag) {
    auto found = entry.values.find(tag);
    return found == entry.values.end() ? std::string() : found->second;
}

}  // namespace

void CStore::Load() {
    char path[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA("ZEM_WAB_FILE", path, sizeof(path));
    path_ = length && length < sizeof(path) ? path : "";
    entries_ = path_.empty() ? std::vector<Entry>() : entryfile::ReadAll(path_);
}

bool CStore::Append(const Entry& entry) {
    if (path_.empty() || !entryfile::Append(path_, {entry})) return false;
    entries_.push_back(entry);
    return true;
}

bool CStore::HasEqual(const Entry& entry) const {
    for (const Entry& held : entries_)
        if (held.kind == kMailUser && Value(held, kDisplayName) == Value(entry, kDisplayName) &&
            Value(held, kEmailAddress) == Value(entry, kEmailAddress))
            return true;
    return false;
}

}  // namespace wab
