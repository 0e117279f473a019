#include "contact_store.h"

namespace outlook {

namespace {

std::string Value(const Item& item, DISPID property) {
    auto found = item.values.find(static_cast<unsigned long>(property));
    return found == item.values.end() ? std::string() : found->second;
}

}  // namespace

void CContactStore::Load() {
    char path[MAX_PATH] = "";
    DWORD length = GetEnvironmentVariableA("ZEM_OUTLOOK_FILE", path, sizeof(path));
    path_ = length && length < sizeof(path) ? path : "";
    items_ = path_.empty() ? std::vector<Item>() : entryfile::ReadAll(path_);
    index_.clear();
}

bool CContactStore::Append(const Item& item) {
    if (path_.empty() || !entryfile::Append(path_, {item})) return false;
    items_.push_back(item);
    for (auto& byProperty : index_) byProperty.second[Value(item, byProperty.first)].push_back(items_.size() - 1);
    return true;
}

const std::vector<size_t>& CContactStore::Candidates(DISPID property, const std::string& value) {
    auto made = index_.find(property);
    if (made == index_.end()) {
        auto& byValue = index_[property];
        for (size_t i = 0; i < items_.size(); ++i) byValue[Value(items_[i], property)].push_back(i);
        made = index_.find(property);
    }
    static const std::vector<size_t> none;
    auto found = made->second.find(value);
    return found == made->second.end() ? none : found->second;
}

int CContactStore::Find(const std::vector<FilterClause>& clauses) {
    if (clauses.empty()) return -1;
    for (size_t i : Candidates(clauses[0].property, clauses[0].value)) {
        bool all = true;
        for (size_t c = 1; c < clauses.size() && all; ++c)
            all = Value(items_[i], clauses[c].property) == clauses[c].value;
        if (all) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace outlook
