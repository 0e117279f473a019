#include "kvdb_dataset.h"

#include <windows.h>

std::string UpperAnsi(const char* text) {
    std::string upper = text ? text : "";
    if (!upper.empty()) CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    return upper;
}

const std::string& CkvDataset::BuildSelect() {
    sql_ = "SELECT * FROM " + table_;
    if (!filter_.empty()) sql_ += " WHERE " + filter_;
    if (!keys_.empty()) sql_ += " ORDER BY " + keys_;
    if (descending_ == 1) sql_ += " DESC";
    return sql_;
}

void CkvDataset::KeyAdd(const char* column) {
    const std::string name = UpperAnsi(column);
    if (keys_.empty()) keys_ = name;
    else keys_ += "," + name;
}

void CkvDataset::KeyDrop(const char* column) {
    if (keys_.empty()) return;
    const std::string name = UpperAnsi(column);
    if (name.empty()) return;
    const size_t at = keys_.find(name);
    if (at == std::string::npos) return;
    if (at > 0) keys_.erase(at - 1, name.size() + 1);
    else if (name.size() >= keys_.size()) keys_.clear();
    else keys_.erase(0, name.size() + 1);
}
